// A library with nothing in it but its version resource.
int VersionDllMarker = 1;
