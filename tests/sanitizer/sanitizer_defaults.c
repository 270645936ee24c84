/* Linked into the sanitizer builds only (the program and every test program), so that these
 * settings hold however the binary is started: by CTest, by test discovery or by hand. */

/* The GL driver and the X libraries keep some allocations for the life of the process; only
 * those are not reported as leaks. A pattern matches a module anywhere in the stack, so a
 * library that calls back into the program must never be named: freeglut calls every one of
 * our callbacks, and naming it would hide every leak they make. */
const char* __lsan_default_suppressions(void) {
  return "leak:libGL\n"
         "leak:libGLX\n"
         "leak:libGLX_mesa\n"
         "leak:libGLdispatch\n"
         "leak:libglapi\n"
         "leak:swrast_dri\n"
         "leak:libgallium\n"
         "leak:libLLVM\n"
         "leak:libX11\n"
         "leak:libxcb\n"
         "leak:libdrm\n"
         "leak:libexpat\n"
         /* The dynamic loader's own tables, grown when a library is loaded (see use_tls). */
         "leak:add_to_global_resize\n";
}

/* Only real reports are printed: the list of suppressions that matched would otherwise end
 * every run's output, and the tests read that output.
 * Thread-local storage is not searched for pointers (use_tls=0). This runtime's walk of the
 * libraries' dynamic thread-local blocks now and then meets an entry that points nowhere (the GL
 * driver loads several libraries with such blocks) and crashes the leak check at exit ("Tracer
 * caught signal 11"), failing a test that passed. Our own code keeps nothing in thread-local
 * storage; the one table of the loader's that is then reported as lost is suppressed above. */
const char* __lsan_default_options(void) {
  return "print_suppressions=0:use_tls=0";
}

/* The GL driver is unloaded at exit; once unloaded, the leak checker cannot name the module
 * that made its allocations, and the suppressions above cannot match. Keeping every module
 * mapped until the process ends keeps those reports attributable. */
int dlclose(void* handle) {
  (void)handle;
  return 0;
}
