#pragma once

// Orvanel's string resources; their texts are in its resource table (device_resources.cpp). The
// application title and the document string are the frame's (AFX_IDS_APP_TITLE, IDR_MAINFRAME).
namespace orvanel_strings {

inline constexpr int kExitKey = 301;  // the left soft key
inline constexpr int kMenuKey = 302;  // the right soft key

}  // namespace orvanel_strings
