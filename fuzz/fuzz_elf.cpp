// The ELF inspector of the tools report, on any bytes.
#include "FuzzSupport.h"

#include "lib/ElfFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static FuzzSupport::MemFile input;
    TElfFile elf;
    elf.SetFileName(input.Put(data, size));
    elf.GetFileInfo();
    if (elf.IsValidElfFile()) {
        FuzzSupport::Require(elf.Bits() == 32 || elf.Bits() == 64, "a valid file has 32 or 64 bits");
        (void)elf.IsExecutable();
        (void)elf.IsLibrary();
        (void)elf.InfoStr();
    }
    return 0;
}
