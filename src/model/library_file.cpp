#include "model/library_file.h"

#include "framework/errors.h"
#include "framework/netreader.h"
#include "framework/netwriter.h"
#include "model/classes.h"
#include "model/library.h"

std::unique_ptr<TLibrary> ReadLibraryData(TStream& data, TTextStore* store) {
    RegisterModelClasses();
    TNetReader reader(data);
    reader.TextStore = store;
    std::int32_t version = reader.ReadVersion();
    // Versions below 1 never existed; refusing them keeps garbage from being read
    // with the oldest field forms.
    if (version >= 12 || version < 1) throw EInOutError("Incorrect library version");
    reader.ReadInteger();
    if (version > 7) reader.ReadInteger();
    std::unique_ptr<TLibrary> library = reader.ReadRootAs<TLibrary>();
    library->Validate();
    return library;
}

void WriteLibraryData(TStream& data, const TLibrary& library) {
    TNetWriter writer(data);
    writer.Library = &library;
    writer.WriteVersion(kLibraryVersion);
    writer.WriteInteger(0);
    writer.WriteInteger(0);
    writer.WriteRoot(library);
    writer.Flush();
}
