#pragma once
// The host's constants of its forms toolkit: message box buttons, icons and results, show and
// unload modes, mouse pointers, window states, border styles, and the units of form geometry.

#include <cstdint>

namespace qv::ui {

// Form geometry is in twips, as the host's forms measure it: 1440 twips to the inch, so 15 twips
// to a pixel at 96 pixels per inch.
inline constexpr int32_t kTwipsPerInch = 1440;
inline constexpr int32_t kTwipsPerPixel = 15;

// Message box buttons (the low bits of the style argument).
inline constexpr int32_t vbOKOnly = 0;
inline constexpr int32_t vbOKCancel = 1;
inline constexpr int32_t vbAbortRetryIgnore = 2;
inline constexpr int32_t vbYesNoCancel = 3;
inline constexpr int32_t vbYesNo = 4;
inline constexpr int32_t vbRetryCancel = 5;
// Message box icons.
inline constexpr int32_t vbCritical = 16;
inline constexpr int32_t vbQuestion = 32;
inline constexpr int32_t vbExclamation = 48;
inline constexpr int32_t vbInformation = 64;
// Which button Enter presses.
inline constexpr int32_t vbDefaultButton1 = 0;
inline constexpr int32_t vbDefaultButton2 = 256;
inline constexpr int32_t vbDefaultButton3 = 512;
// Message box results.
inline constexpr int32_t vbOK = 1;
inline constexpr int32_t vbCancel = 2;
inline constexpr int32_t vbAbort = 3;
inline constexpr int32_t vbRetry = 4;
inline constexpr int32_t vbIgnore = 5;
inline constexpr int32_t vbYes = 6;
inline constexpr int32_t vbNo = 7;

// Form::Show.
inline constexpr int32_t vbModeless = 0;
inline constexpr int32_t vbModal = 1;

// The unload mode QueryUnload receives.
inline constexpr int32_t vbFormControlMenu = 0;  // the user closed the window (its close box)
inline constexpr int32_t vbFormCode = 1;         // the program unloaded it
inline constexpr int32_t vbAppWindows = 2;       // the session ends
inline constexpr int32_t vbAppTaskManager = 3;

// Mouse pointers.
inline constexpr int32_t vbDefault = 0;
inline constexpr int32_t vbArrow = 1;
inline constexpr int32_t vbHourglass = 11;

// Window states.
inline constexpr int32_t vbNormal = 0;
inline constexpr int32_t vbMinimized = 1;
inline constexpr int32_t vbMaximized = 2;

// Form border styles.
inline constexpr int32_t vbBSNone = 0;
inline constexpr int32_t vbFixedSingle = 1;
inline constexpr int32_t vbSizable = 2;
inline constexpr int32_t vbFixedDialog = 3;

// Check box values.
inline constexpr int32_t vbUnchecked = 0;
inline constexpr int32_t vbChecked = 1;
inline constexpr int32_t vbGrayed = 2;

// Key codes the forms react to.
inline constexpr int32_t vbKeyReturn = 13;
inline constexpr int32_t vbKeyEscape = 27;
inline constexpr int32_t vbKeyBack = 8;

// Run-time errors of the forms toolkit.
namespace err {
inline constexpr int32_t kInvalidPropertyValue = 380;       // Invalid property value
inline constexpr int32_t kInvalidPropertyArrayIndex = 381;  // Invalid property array index
inline constexpr int32_t kControlArrayElement = 340;        // Control array element doesn't exist
inline constexpr int32_t kObjectUnloaded = 364;             // Object was unloaded
inline constexpr int32_t kAlreadyShownModally = 400;  // Form already displayed; can't show modally
inline constexpr int32_t kInvalidPicture = 481;       // Invalid picture
inline constexpr int32_t kControlNotFound = 730;      // Control not found
}  // namespace err

}  // namespace qv::ui
