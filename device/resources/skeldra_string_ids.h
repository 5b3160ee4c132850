#pragma once

// Skeldra's string resources; their texts are in its resource table (device_resources.cpp). The
// application title and the document string are the frame's (AFX_IDS_APP_TITLE, IDR_MAINFRAME).
namespace skeldra_strings {

inline constexpr int kSelectSavePath = 129;
inline constexpr int kSelectFolder = 130;
inline constexpr int kBackupFailed = 131;
inline constexpr int kBackupSucceeded = 132;
inline constexpr int kSelectSavePathTitle = 133;
inline constexpr int kSelectFilePathTitle = 134;
inline constexpr int kSelectFilePath = 135;
inline constexpr int kRestoreSucceeded = 136;
inline constexpr int kNoSmsAccount = 137;
inline constexpr int kValidationFailed = 138;
inline constexpr int kProgressTitle = 139;  // the progress dialog's first line
inline constexpr int kMakerAddress = 140;   // its second line, and the main form's link
inline constexpr int kExitKey = 142;        // the left soft key
inline constexpr int kMenuKey = 302;        // the right soft key

}  // namespace skeldra_strings
