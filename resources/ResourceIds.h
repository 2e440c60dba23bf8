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

// Tool icons, 18 x 12.
#define IDB_BRUSH 111
#define IDB_ERASELAST 112
#define IDB_ERASEALL 113
