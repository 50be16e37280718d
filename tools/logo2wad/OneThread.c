/* The OpenMP entry points libimagequant calls, for one thread: logo2wad
 * quantises a logo's few thousand pixels, for which the OpenMP runtime's
 * thread team costs more than it saves (a system call at the end of each of
 * the quantiser's thousands of parallel regions, even with one thread).
 * Linked only with the static libimagequant, instead of the runtime. */

void GOMP_parallel(void (*fn)(void*), void* data, unsigned threads, unsigned flags)
{
    (void)threads;
    (void)flags;
    fn(data);
}

void GOMP_atomic_start(void) {}
void GOMP_atomic_end(void) {}
int omp_get_max_threads(void) { return 1; }
int omp_get_num_threads(void) { return 1; }
int omp_get_thread_num(void) { return 0; }
