// Sanitizer settings for the soak when built with AddressSanitizer: a small
// quarantine of freed memory, so that the resident set measures the game and
// not the sanitizer's hold on blocks it has already freed (256 MB by default).
extern "C" const char* __asan_default_options()
{
    return "quarantine_size_mb=16";
}
