/// \file
/// Kept for games that include Vec3.h from its first home; it lives in base/ now.
#pragma once

#include "base/Vec3.h"
