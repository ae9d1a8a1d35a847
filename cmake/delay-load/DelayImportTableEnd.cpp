// The zero record that ends a program's delay-import table. The linker orders the ".text$"
// sections by name, so this one comes right after the records of the delay-import libraries,
// which are in ".text$2"; fill-delay-import-directory.pl checks that nothing lies between.
__attribute__((section(".text$2z"), used)) alignas(4)
static const unsigned char kDelayImportTableEnd[32] = {};
