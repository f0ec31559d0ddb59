#pragma once

// Writes a small Vorrak.dat (two groups, processes with tools, items and
// skills) and a Vorrak.hlp with a topic and a sub-topic into the current
// directory, so every window opens with something in each list. False if
// either file could not be written.
bool writeSmallData();
