/* A program of one function for the 486 check's own test, built without any
   runtime: clean, or with one instruction a 486 lacks. */
void start(void)
{
#if defined SAMPLE_CMOV
    __asm__ volatile("cmove %edx, %eax");
#elif defined SAMPLE_LONG_NOP
    __asm__ volatile("nopl 0(%eax)");
#endif
}
