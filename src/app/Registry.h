/// \file
/// Kept for games that include the registry from its first home; it lives in base/ now.
#pragma once

#include "base/Registry.h"
