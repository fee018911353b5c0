// The translation unit that owns a precompiled header (cmake/Dozuri.cmake):
// the header itself is included by the build, so nothing else is needed here.
