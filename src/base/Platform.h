/// \file
/// What the platform the engine is built for asks of the drawing code, read where the drawing is done.
#pragma once

namespace Platform {

// The browser's GL emulation draws vertex arrays only from 16-bit indices and interleaved
// attributes; a model's arrays are neither, so there models are drawn in immediate mode, which draws
// the same pixels.
#ifdef __EMSCRIPTEN__
inline constexpr bool kImmediateModels = true;
#else
/// Models are drawn corner by corner instead of from vertex arrays.
inline constexpr bool kImmediateModels = false;
#endif

} // namespace Platform
