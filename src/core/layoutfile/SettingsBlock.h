// The settings block of 32-bit layout files: the global settings record, the
// 256 layer names and the layer-data list, in the current or the old layout.
#pragma once
#include <cstdint>

namespace tk3d {

class TCLStream;

// Settings versions: the old record (0xABCD..0xABCF) and the current one.
inline constexpr int32_t kSettingsOldFirst = 0xABCD;
inline constexpr int32_t kSettingsOldWithLayerData = 0xABCF;
inline constexpr int32_t kSettingsCurrentFirst = 0xABD0;
inline constexpr int32_t kSettingsCurrentLast = 0xABD1;

// Resets GlobalSettings from DefaultSettings and reads the block into
// GlobalSettings, LayerNames and LayerDataList. An unknown version means no
// block. Returns the settings version read. On failure GlobalSettings keeps
// what was read before it.
int32_t ReadSettingsBlock(TCLStream& stream);

}  // namespace tk3d
