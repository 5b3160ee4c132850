#pragma once

// Marrowind's string resources; their texts are in its resource table (device_resources.cpp).
// The application title and the document string are the frame's (AFX_IDS_APP_TITLE,
// IDR_MAINFRAME).
namespace marrowind_strings {

inline constexpr int kSaveTitle = 130;
inline constexpr int kRestoreTitle = 131;
inline constexpr int kEmptySavePath = 132;
inline constexpr int kBackupSucceeded = 133;
inline constexpr int kProgressTitle = 134;  // the progress dialog's first line
inline constexpr int kMakerAddress = 135;   // its second line
inline constexpr int kEmptyRestorePath = 136;
inline constexpr int kValidationFailed = 137;
inline constexpr int kRestoreSucceeded = 138;
inline constexpr int kExitKey = 301;  // the left soft key, Orvanel's too
inline constexpr int kMenuKey = 302;  // the right soft key

}  // namespace marrowind_strings
