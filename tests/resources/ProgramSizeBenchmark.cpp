// Prints, in one line, how a program file's size divides into code, pictures and the driver
// package:
//     program_size_benchmark.exe PATH
// Code is the raw size of the sections that hold code; pictures are the icon and bitmap
// resources; the package is the resources of type "BIN"; the rest is data, imports,
// headers and the other resources.
#include <windows.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <vector>

namespace {

bool ReadWholeFile(const char* path, std::vector<char>* bytes) {
    std::ifstream file(path, std::ios::binary);
    bytes->assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    return file.good() || file.eof();
}

// The raw size of every section marked as code; 0 when the file is not a PE image.
DWORD CodeSize(const std::vector<char>& file) {
    if (file.size() < sizeof(IMAGE_DOS_HEADER)) {
        return 0;
    }
    auto dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(file.data());
    if (dos->e_magic != IMAGE_DOS_SIGNATURE ||
        static_cast<size_t>(dos->e_lfanew) + sizeof(IMAGE_NT_HEADERS32) > file.size()) {
        return 0;
    }
    // The file header and the place of the section table are the same for both word sizes.
    auto nt = reinterpret_cast<const IMAGE_NT_HEADERS32*>(file.data() + dos->e_lfanew);
    if (nt->Signature != IMAGE_NT_SIGNATURE) {
        return 0;
    }
    size_t sections = dos->e_lfanew + offsetof(IMAGE_NT_HEADERS32, OptionalHeader) +
                      nt->FileHeader.SizeOfOptionalHeader;
    DWORD code = 0;
    for (WORD i = 0; i < nt->FileHeader.NumberOfSections; ++i) {
        size_t at = sections + i * sizeof(IMAGE_SECTION_HEADER);
        if (at + sizeof(IMAGE_SECTION_HEADER) > file.size()) {
            break;
        }
        auto section = reinterpret_cast<const IMAGE_SECTION_HEADER*>(file.data() + at);
        if (section->Characteristics & IMAGE_SCN_CNT_CODE) {
            code += section->SizeOfRawData;
        }
    }
    return code;
}

struct TypeTotal {
    HMODULE module;
    DWORD bytes;
};

BOOL CALLBACK AddResource(HMODULE module, LPCSTR type, LPSTR name, LONG_PTR param) {
    HRSRC found = FindResourceA(module, name, type);
    if (found != NULL) {
        reinterpret_cast<TypeTotal*>(param)->bytes += SizeofResource(module, found);
    }
    return TRUE;
}

DWORD ResourceBytes(HMODULE module, LPCSTR type) {
    TypeTotal total = {module, 0};
    EnumResourceNamesA(module, type, AddResource, reinterpret_cast<LONG_PTR>(&total));
    return total.bytes;
}

void PrintPart(const char* part, DWORD bytes, size_t whole) {
    std::printf("; %s %lu (%.1f%%)", part, static_cast<unsigned long>(bytes),
                whole != 0 ? 100.0 * bytes / whole : 0.0);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: program_size_benchmark PATH\n");
        return 2;
    }
    std::vector<char> file;
    HMODULE module = LoadLibraryExA(argv[1], NULL, LOAD_LIBRARY_AS_DATAFILE);
    if (!ReadWholeFile(argv[1], &file) || module == NULL) {
        std::fprintf(stderr, "%s: cannot be read as a program\n", argv[1]);
        return 1;
    }
    DWORD code = CodeSize(file);
    DWORD pictures = ResourceBytes(module, RT_ICON) + ResourceBytes(module, RT_GROUP_ICON) +
                     ResourceBytes(module, RT_BITMAP);
    DWORD package = ResourceBytes(module, "BIN");
    FreeLibrary(module);

    std::printf("%s: %lu bytes", argv[1], static_cast<unsigned long>(file.size()));
    PrintPart("code", code, file.size());
    PrintPart("pictures", pictures, file.size());
    PrintPart("package", package, file.size());
    PrintPart("the rest", static_cast<DWORD>(file.size()) - code - pictures - package, file.size());
    std::printf("\n");
    return 0;
}
