/// \file
/// Kept for games that include Geometry.h from its first home; it lives in base/ now.
#pragma once

#include "base/Geometry.h"
