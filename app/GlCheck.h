#pragma once

// Debug builds report GL errors after the frame's main steps, with where they were found; other
// builds never read the error state (reading it can stall the driver).
#ifdef NDEBUG
inline void CheckGlErrors(const char*) {}
#else
void CheckGlErrors(const char* where);
#endif
