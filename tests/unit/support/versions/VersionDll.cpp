// A library with nothing in it but its version resource: the file-version
// tests compare copies of it.
extern "C" __declspec(dllexport) int VersionDllMarker()
{
    return 1;
}
