#pragma once

// Permissions do not stop root, so a test of what a user without a
// permission meets runs as an ordinary user. As root, rerunNonRoot() runs
// the current test function and data row again in a child process as the
// user nobody (through setpriv), checks through QTest that it passed and
// returns true: the caller then returns at once. As any other user it
// returns false and the caller goes on itself. Without setpriv the test is
// skipped with the reason.
bool rerunNonRoot();
