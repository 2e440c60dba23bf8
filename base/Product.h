#pragma once
// The product's fixed names and versions.
#include "VelmoraVersion.h"

namespace velmora {

inline constexpr char kApplicationTitle[] = "Velmora";
inline constexpr char kVersionLabel[] = VELMORA_VERSION_LABEL;
inline constexpr char kBuildTag[] = VELMORA_BUILD_TAG;  // the version the "-Ver$" switch reports
// The registered window message that asks a running program to save its
// settings and end as "Exit" does; the setup sends it before replacing KVX.exe.
inline constexpr char kExitRequestMessage[] = "Velmora.ExitRequest";
inline constexpr char kLibraryVersion[] = "1.1.28";

}  // namespace velmora
