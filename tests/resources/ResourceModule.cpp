#include "tests/resources/ResourceModule.h"

const char* ResourceModulePath() {
    return KORVESSA_RESOURCE_MODULE;
}

HMODULE ResourceModule() {
    static const HMODULE module = LoadLibraryExA(ResourceModulePath(), NULL, LOAD_LIBRARY_AS_DATAFILE);
    return module;
}

ResourceData LoadResourceData(LPCSTR type, LPCSTR name) {
    ResourceData data;
    HRSRC found = FindResourceA(ResourceModule(), name, type);
    if (found == NULL) {
        return data;
    }
    HGLOBAL loaded = LoadResource(ResourceModule(), found);
    if (loaded == NULL) {
        return data;
    }
    data.bytes = static_cast<const BYTE*>(LockResource(loaded));
    data.size = data.bytes != nullptr ? SizeofResource(ResourceModule(), found) : 0;
    return data;
}

static BOOL CALLBACK AddLanguage(HMODULE, LPCSTR, LPCSTR, WORD language, LONG_PTR param) {
    reinterpret_cast<std::vector<WORD>*>(param)->push_back(language);
    return TRUE;
}

std::vector<WORD> ResourceLanguages(LPCSTR type, LPCSTR name) {
    std::vector<WORD> languages;
    EnumResourceLanguagesA(ResourceModule(), type, name, AddLanguage,
                           reinterpret_cast<LONG_PTR>(&languages));
    return languages;
}
