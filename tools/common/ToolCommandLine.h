// The tools' command line is the engine's one reader, base/CommandLine.h.
#pragma once

#include "base/CommandLine.h"
