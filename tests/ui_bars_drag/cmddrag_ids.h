// Ids of the command-drag tests' resources and commands.
#pragma once
#define ID_ALPHA 101
#define ID_BETA 102
#define ID_GAMMA 103
#define ID_DELTA 104
#define ID_UNKNOWN 199  /* no command */
#define IDL_LEFT 400    /* alpha, beta, gamma */
#define IDL_RIGHT 401   /* delta */
