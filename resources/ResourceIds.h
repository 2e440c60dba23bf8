#pragma once
// Identifiers of the program's resources, shared by the resource script and the code.

#define IDI_KVX 1  // the program icon, also the notification-area icon

// Faces of the picture buttons: command faces 85 x 30, tool faces 100 x 23.
#define IDB_IBN 101   // command face, normal
#define IDB_IBA 102   // command face, hover
#define IDB_IBP 103   // command face, pressed
#define IDB_IBI 104   // command face, inactive
#define IDB_IB2N 105  // tool face, normal
#define IDB_IB2A 106  // tool face, hover
#define IDB_IB2P 107  // tool face, pressed and selected
// Small tool faces, 18 x 18, for the shape tools.
#define IDB_IB3N 108  // normal
#define IDB_IB3A 109  // hover
#define IDB_IB3P 110  // pressed and selected

// Tool icons, 18 x 12.
#define IDB_BRUSH 111
#define IDB_ERASELAST 112
#define IDB_ERASEALL 113
// Icons of the small tool faces, 12 x 12.
#define IDB_LINE 114
#define IDB_ARROW 115
#define IDB_RECTANGLE 116
#define IDB_ELLIPSE 117
#define IDB_NUMBER 118
#define IDB_HIGHLIGHTER 119

// The same pictures drawn for 150 % and 200 %: the 96-DPI identifier plus these.
#define IDB_AT_150 1000
#define IDB_AT_200 2000
#define IDB_IBN_150 1101
#define IDB_IBA_150 1102
#define IDB_IBP_150 1103
#define IDB_IBI_150 1104
#define IDB_IB2N_150 1105
#define IDB_IB2A_150 1106
#define IDB_IB2P_150 1107
#define IDB_BRUSH_150 1111
#define IDB_ERASELAST_150 1112
#define IDB_ERASEALL_150 1113
#define IDB_IB3N_150 1108
#define IDB_IB3A_150 1109
#define IDB_IB3P_150 1110
#define IDB_LINE_150 1114
#define IDB_ARROW_150 1115
#define IDB_RECTANGLE_150 1116
#define IDB_ELLIPSE_150 1117
#define IDB_NUMBER_150 1118
#define IDB_HIGHLIGHTER_150 1119
#define IDB_IBN_200 2101
#define IDB_IBA_200 2102
#define IDB_IBP_200 2103
#define IDB_IBI_200 2104
#define IDB_IB2N_200 2105
#define IDB_IB2A_200 2106
#define IDB_IB2P_200 2107
#define IDB_BRUSH_200 2111
#define IDB_ERASELAST_200 2112
#define IDB_ERASEALL_200 2113
#define IDB_IB3N_200 2108
#define IDB_IB3A_200 2109
#define IDB_IB3P_200 2110
#define IDB_LINE_200 2114
#define IDB_ARROW_200 2115
#define IDB_RECTANGLE_200 2116
#define IDB_ELLIPSE_200 2117
#define IDB_NUMBER_200 2118
#define IDB_HIGHLIGHTER_200 2119
