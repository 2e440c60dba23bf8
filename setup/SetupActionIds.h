#pragma once
// Resources of the setup's steps: the first-start files they write where missing.
#define IDR_KVX_INI 201
#define IDR_WL_INI 202
#define IDR_FONT_TYP 203
