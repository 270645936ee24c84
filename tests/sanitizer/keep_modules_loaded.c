/* Linked into the sanitizer builds only. The GL driver keeps some allocations for the life of
 * the process and is unloaded at exit; once unloaded, the leak checker cannot name the module
 * that made them, and the suppressions in lsan.supp cannot match. Keeping every module mapped
 * until the process ends lets those reports be told apart from leaks of our own. */
int dlclose(void* handle) {
  (void)handle;
  return 0;
}
