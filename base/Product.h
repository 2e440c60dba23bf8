#pragma once
// The product's fixed names and versions.

namespace velmora {

inline constexpr char kApplicationTitle[] = "Velmora";
inline constexpr char kVersionLabel[] = "1.0 build 3";
inline constexpr char kBuildTag[] = "KVX10b3";  // the version the "-Ver$" switch reports
inline constexpr char kLibraryVersion[] = "1.1.28";

}  // namespace velmora
