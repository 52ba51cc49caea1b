/** @file Win32API.h The byte-level picture routines the controls share: white surfaces, blends, tints, keyed copies. */
#pragma once
#include <cstdint>
#include <vector>

#include "platform/Surface.h"

/// Every routine works on the B, G, R, X bytes of the pictures. p = Percent / 100 (double) is
/// the weight of what is already in the target, 1 - p of what is laid over it; each byte becomes
/// the integer part of the weighted sum, computed in double precision in the order written.
namespace Win32API {

/// A new white picture of Width x Height.
plat::Surface CreateMemDC(int Width, int Height);

/// picOut := p x picA + (1 - p) x picB, byte by byte (the fourth byte too). Pictures of unequal
/// size are blended over their common top-left area. Percent outside 0..100: nothing happens.
void BlendPictures(const plat::Surface& picA, const plat::Surface& picB, plat::Surface& picOut, int16_t Percent);

/// The colour's bytes as (blue, green, red, 0).
void ColorToBGRA(int32_t Color, std::vector<uint8_t>& bytes);

/// The colour laid over the whole picture; the fourth bytes stay as they are. An empty picture
/// shows the message "Error". Percent outside 0..100: nothing happens.
void SemiTransDC(plat::Surface& hdc, int32_t Color, int16_t Percent);

/// The colour laid over the whole picture; the fourth bytes are blended towards 0.
/// Percent outside 0..100: nothing happens.
void SemiTransPicture(plat::Surface& pic, int32_t Color, int16_t Percent);

/// As SemiTransPicture over the pixels X to X + Width - 1 of the rows Y to Y + Height - 1
/// (note the argument order), clipped to the picture.
void SemiTransRect(plat::Surface& pic, int32_t Color, int16_t Percent, int32_t X, int32_t Width, int32_t Y,
                   int32_t Height);

/// Lays Width x Height of src at (srcX, srcY) over dst at (dstX, dstY), skipping source pixels
/// whose colour equals Key; other pixels: byte := (1 - p) x source + p x destination (all four).
/// The size is cut to the source's size, and the rows and bytes to the destination's edges.
/// Percent is clamped to 0..100.
void SemiTransBlt(plat::Surface& dst, int32_t dstX, int32_t dstY, int32_t Width, int32_t Height,
                  const plat::Surface& src, int32_t srcX, int32_t srcY, int32_t Key, int16_t Percent);

}  // namespace Win32API
