// Keeps the library non-empty until its first module lands.
