#pragma once
// The numbers the host's command bars use for control types, bar types, bar positions and button
// styles, under the host's own constant names.

#include <cstdint>

namespace qv::office {

// CommandBarControl.Type
inline constexpr int32_t msoControlButton = 1;
inline constexpr int32_t msoControlPopup = 10;

// CommandBar.Type
inline constexpr int32_t msoBarTypeNormal = 0;
inline constexpr int32_t msoBarTypeMenuBar = 1;
inline constexpr int32_t msoBarTypePopup = 2;

// CommandBar.Position
inline constexpr int32_t msoBarLeft = 0;
inline constexpr int32_t msoBarTop = 1;
inline constexpr int32_t msoBarRight = 2;
inline constexpr int32_t msoBarBottom = 3;
inline constexpr int32_t msoBarFloating = 4;
inline constexpr int32_t msoBarPopup = 5;

// CommandBarButton.Style
inline constexpr int32_t msoButtonAutomatic = 0;
inline constexpr int32_t msoButtonIcon = 1;
inline constexpr int32_t msoButtonCaption = 2;
inline constexpr int32_t msoButtonIconAndCaption = 3;

// The Id every control added without a built-in Id reports.
inline constexpr int32_t kCustomControlId = 1;

}  // namespace qv::office
