// Export and import of the label engine's classes.
#pragma once

#if defined(HUECORE_BUILD)
#define HUECORE_API __declspec(dllexport)
#else
#define HUECORE_API __declspec(dllimport)
#endif
