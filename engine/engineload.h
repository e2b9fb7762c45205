// Starting engines, the UCI handshake, unloading, and the slave engine.
#pragma once

// (Re)starts the main engine from EnginePath and runs the handshake; true when it answered
// "uciok" in time. showInfo shows the engine's name and author afterwards.
bool LoadEngine(bool showInfo);
// Stops any search, unloads the slave, sends "quit" and closes the main engine.
void UnloadEngine();
// Sends "quit" to the slave engine, closes it and forgets its side.
void UnloadSlave();
// Loads a slave engine (chosen in a file dialog) when none is loaded, else unloads it.
void ToggleSlave();
// The main engine's name and author in a message box.
void ShowEngineInfo();
// Start-up: loads the configured engine, else the program folder's default one, else reports
// that no engine could be loaded.
void StartDefaultEngine();

// How long an engine may take to answer "uci" with "uciok".
constexpr double HandshakeTimeoutSeconds = 60.0;
