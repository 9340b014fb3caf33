// Leak-checker settings for this test program when built with AddressSanitizer.
//
// The engine library leaks two small mutexes per engine: its shutdown clears
// the engine record, mutex handles included, before its release destroys
// them. That is outside our code, so those two allocations are suppressed by
// the function that makes them. Matching it needs full stack traces, which
// are slower but cheap at this program's size.
extern "C" const char* __asan_default_options()
{
    return "fast_unwind_on_malloc=0";
}

extern "C" const char* __lsan_default_suppressions()
{
    return "leak:FACTCreateEngineWithCustomAllocatorEXT\n";
}
