// Export and import of the shell icon library's classes.
#pragma once

#if defined(HUEICONS_BUILD)
#define HUEICONS_API __declspec(dllexport)
#else
#define HUEICONS_API __declspec(dllimport)
#endif
