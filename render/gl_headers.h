// OpenGL and GLU for the portable renderer files.
// NOTE: the Windows GL headers need <windows.h> first. It stays here, out of
// the renderer's own headers, which use no Win32 type.
#pragma once

#ifdef _WIN32
#include <windows.h>
#endif
#include <GL/gl.h>
#include <GL/glu.h>
