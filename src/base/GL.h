/// \file
/// One place that includes OpenGL in the right order: GLEW before any other GL header.
#pragma once

#include <GL/glew.h>
#include <GL/glu.h>
