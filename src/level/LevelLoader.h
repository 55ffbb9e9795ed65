#pragma once

// Loads level 1 to 3 into the scene; a number outside is clamped into
// currentLevel and nothing is read. Errors are shown in a message box.
void loadLevel(int level);

// The three readers; each throws ObjectFileException.
void readObjectFile(const char* path);
void readLevelFormatFile(const char* path);
void readActionFile(const char* path);
