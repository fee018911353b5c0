// A library of the helper's name that lacks the export "Execute".
extern "C" __declspec(dllexport) int Version() { return 1; }
