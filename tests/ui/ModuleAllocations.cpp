// Import-table patching for ModuleAllocationCount. operator new and the runtime's string and
// container code reach the heap through malloc, so they are counted too.
#include "tests/ui/ModuleAllocations.h"

#include <windows.h>

#include <cstdlib>
#include <cstring>

namespace {

unsigned long g_count = 0;

using Malloc = void*(__cdecl*)(size_t);
using Calloc = void*(__cdecl*)(size_t, size_t);
using Realloc = void*(__cdecl*)(void*, size_t);
using HeapAllocFunction = LPVOID(WINAPI*)(HANDLE, DWORD, SIZE_T);
using LocalAllocFunction = HLOCAL(WINAPI*)(UINT, SIZE_T);

Malloc g_malloc = std::malloc;
Calloc g_calloc = std::calloc;
Realloc g_realloc = std::realloc;
HeapAllocFunction g_heapAlloc = HeapAlloc;
LocalAllocFunction g_localAlloc = LocalAlloc;

void* __cdecl CountedMalloc(size_t size) { ++g_count; return g_malloc(size); }
void* __cdecl CountedCalloc(size_t count, size_t size) { ++g_count; return g_calloc(count, size); }
void* __cdecl CountedRealloc(void* memory, size_t size) { ++g_count; return g_realloc(memory, size); }
LPVOID WINAPI CountedHeapAlloc(HANDLE heap, DWORD flags, SIZE_T size)
{
    ++g_count;
    return g_heapAlloc(heap, flags, size);
}
HLOCAL WINAPI CountedLocalAlloc(UINT flags, SIZE_T size)
{
    ++g_count;
    return g_localAlloc(flags, size);
}

template <typename Function>
void Patch(ULONG_PTR* slot, Function counted, Function* original)
{
    DWORD protection = 0;
    if (!VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &protection))
        return;
    *original = reinterpret_cast<Function>(*slot);
    *slot = reinterpret_cast<ULONG_PTR>(counted);
    VirtualProtect(slot, sizeof *slot, protection, &protection);
}

void PatchSlot(const char* name, ULONG_PTR* slot)
{
    if (std::strcmp(name, "malloc") == 0)
        Patch(slot, &CountedMalloc, &g_malloc);
    else if (std::strcmp(name, "calloc") == 0)
        Patch(slot, &CountedCalloc, &g_calloc);
    else if (std::strcmp(name, "realloc") == 0)
        Patch(slot, &CountedRealloc, &g_realloc);
    else if (std::strcmp(name, "HeapAlloc") == 0)
        Patch(slot, &CountedHeapAlloc, &g_heapAlloc);
    else if (std::strcmp(name, "LocalAlloc") == 0)
        Patch(slot, &CountedLocalAlloc, &g_localAlloc);
}

void PatchImports()
{
    BYTE* const base = reinterpret_cast<BYTE*>(GetModuleHandleA(NULL));
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports =
        nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    auto* library = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
    for (; library->Name; ++library) {
        if (!library->OriginalFirstThunk)
            continue;
        auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + library->OriginalFirstThunk);
        auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + library->FirstThunk);
        for (; names->u1.AddressOfData; ++names, ++slots) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal))
                continue;
            const auto* byName =
                reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
            PatchSlot(reinterpret_cast<const char*>(byName->Name),
                      reinterpret_cast<ULONG_PTR*>(&slots->u1.Function));
        }
    }
}

}  // namespace

unsigned long ModuleAllocationCount()
{
    static const bool patched = (PatchImports(), true);
    (void)patched;
    return g_count;
}
