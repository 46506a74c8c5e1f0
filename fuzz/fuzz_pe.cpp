// The Windows executable inspector of the tools report, on any bytes; a small memory
// limit sends some inputs down the streamed path.
#include "FuzzSupport.h"

#include "lib/PeFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static FuzzSupport::MemFile input;
    const QString path = input.Put(data, size);
    for (uint32_t limit : {TPeFile::DefaultMaxMemoryStreamSize, uint32_t(size / 2)}) {
        TPeFile pe;
        pe.SetFileName(path);
        pe.SetMaxMemoryStreamSize(limit);
        pe.GetFileInfo();
        FuzzSupport::Require(pe.FileSize() == int64_t(size), "the size is the file's");
        (void)pe.InfoStr();
        (void)pe.UpxVersion();
        for (int i = 0; i < pe.SectionCount(); ++i)
            (void)pe.Sections()[size_t(i)];
        if (pe.IsValidPeFile())
            (void)TPeFile::MachineDescription(pe.FileHeader().Machine);
    }
    return 0;
}
