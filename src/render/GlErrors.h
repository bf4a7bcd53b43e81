// Reports OpenGL errors on the console; they never stop the program.
#pragma once

// Drains the GL error queue, printing "ERROR! <label>: <code in hex>" for each.
// Returns 0.
int checkGlErrors(const char* label);
