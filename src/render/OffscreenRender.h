// Renders a frame of any size into an image through a framebuffer object;
// images larger than the GPU allows are drawn tile by tile, each tile with
// the projection narrowed to its part of the image.
#pragma once
#include <QImage>
#include <cstdint>

#include "SceneRenderer.h"

namespace tk3d {

// Width and height come from the frame; the background keeps the alpha 0
// the view clears with. maxTile limits the tile side below
// what GL allows (0: only GL's limits). The framebuffer and viewport that
// were bound are restored. Raises ETk3dError when the image is too large to
// hold or no framebuffer can be made.
QImage RenderToImage(TSceneRenderer& renderer, const TFrameSetup& frame, int32_t maxTile = 0);

// Largest number of pixels an off-screen image may have.
constexpr int64_t kMaxImagePixels = int64_t(1) << 28;

}  // namespace tk3d
