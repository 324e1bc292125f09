#pragma once
// Fixed values of the add-in.

namespace qv::addin {

// The add-in's version; compared as an integer with the recorded and announced versions.
inline constexpr const char* kVersionNo = "27";
inline constexpr int kVersionNumber = 27;
inline constexpr const char* kProgIdConnect = "KZOWord.Connect";
inline constexpr const char* kToolbarName = "Quorvanta";
inline constexpr const char* kMenusTemplate = "Quorvanta Authoring Menus.dot";
inline constexpr const char* kToolbarTemplate = "Quorvanta Authoring Toolbar.dot";

}  // namespace qv::addin
