/// \file
/// Kept for games that include the GL header from its first home; it lives in base/ now.
#pragma once

#include "base/GL.h"
