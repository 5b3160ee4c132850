#pragma once

#include <cstdint>

// The scalar types and result codes that the phone's stores speak. Every store call returns an
// HRESULT: zero or positive is success (a positive value is a warning), negative is failure.

using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using ULONG = std::uint32_t;
using LONG = std::int32_t;
using HRESULT = std::int32_t;

inline constexpr bool SUCCEEDED(HRESULT hr) { return hr >= 0; }
inline constexpr bool FAILED(HRESULT hr) { return hr < 0; }

inline constexpr HRESULT S_OK = 0;
inline constexpr HRESULT E_FAIL = static_cast<HRESULT>(0x80004005);
inline constexpr HRESULT E_INVALIDARG = static_cast<HRESULT>(0x80070057);
// A class that is not registered: the phone has no such server (no contact store).
inline constexpr HRESULT REGDB_E_CLASSNOTREG = static_cast<HRESULT>(0x80040154);
// The object or entry asked for does not exist.
inline constexpr HRESULT E_NOT_FOUND = static_cast<HRESULT>(0x80070490);
// A write to a stream opened for reading only.
inline constexpr HRESULT STG_E_ACCESSDENIED = static_cast<HRESULT>(0x80030005);
// A write refused because another program held the phone's database for longer than a call
// waits for it.
inline constexpr HRESULT STG_E_LOCKVIOLATION = static_cast<HRESULT>(0x80030021);

// A point in time: 100-nanosecond intervals since 1 January 1601 (UTC unless a local file time),
// low dword first.
struct FILETIME {
  DWORD dwLowDateTime = 0;
  DWORD dwHighDateTime = 0;
  bool operator==(const FILETIME&) const = default;
};

inline constexpr std::uint64_t FileTimeValue(FILETIME time) {
  return (std::uint64_t{time.dwHighDateTime} << 32) | time.dwLowDateTime;
}

inline constexpr FILETIME MakeFileTime(std::uint64_t value) {
  return FILETIME{static_cast<DWORD>(value), static_cast<DWORD>(value >> 32)};
}
