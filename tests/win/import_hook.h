// Stands in for one system function that this test program imports: its slot in the
// program's import table points at a replacement while the hook lives, so that the
// product's code linked into the program asks the replacement instead of the platform.
#pragma once

#include <windows.h>

#include <cstring>

namespace testing_support {

class ImportHook {
public:
    // `replacement` has the replaced function's type and calling convention.
    template <typename Function>
    ImportHook(const char* dll, const char* function, Function* replacement) {
        auto* const base = reinterpret_cast<BYTE*>(::GetModuleHandleW(nullptr));
        const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
        const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
        const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
        for (auto* entry = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
             entry->Name && !slot_; ++entry) {
            if (::lstrcmpiA(reinterpret_cast<const char*>(base + entry->Name), dll) != 0)
                continue;
            const auto* name = reinterpret_cast<const IMAGE_THUNK_DATA*>(base + entry->OriginalFirstThunk);
            auto* slot = reinterpret_cast<IMAGE_THUNK_DATA*>(base + entry->FirstThunk);
            for (; name->u1.AddressOfData && !slot_; ++name, ++slot) {
                if (IMAGE_SNAP_BY_ORDINAL(name->u1.Ordinal))
                    continue;
                const auto* byName = reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + name->u1.AddressOfData);
                if (std::strcmp(reinterpret_cast<const char*>(byName->Name), function) == 0)
                    slot_ = reinterpret_cast<ULONG_PTR*>(&slot->u1.Function);
            }
        }
        if (slot_)
            original_ = Swap(reinterpret_cast<ULONG_PTR>(replacement));
    }
    ~ImportHook() {
        if (slot_)
            Swap(original_);
    }
    ImportHook(const ImportHook&) = delete;
    ImportHook& operator=(const ImportHook&) = delete;

    // False when the program does not import the function: nothing was replaced.
    bool Installed() const { return slot_ != nullptr; }
    // The platform's own function, for the replacement to hand on to.
    template <typename Function>
    Function* Original() const {
        return reinterpret_cast<Function*>(original_);
    }

private:
    ULONG_PTR Swap(ULONG_PTR to) {
        DWORD protection = 0;
        ::VirtualProtect(slot_, sizeof *slot_, PAGE_READWRITE, &protection);
        const ULONG_PTR was = *slot_;
        *slot_ = to;
        ::VirtualProtect(slot_, sizeof *slot_, protection, &protection);
        return was;
    }

    ULONG_PTR* slot_ = nullptr;  // the function's address as the program calls it
    ULONG_PTR original_ = 0;
};

}  // namespace testing_support
