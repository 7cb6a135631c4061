#pragma once
// Byte-for-byte copy that replaces the destination only once the copy is
// complete and on disk: the data go to a temporary name in the destination's
// folder, are flushed, and the temporary file is renamed over the destination.
// A crash or a full disk never leaves a truncated file under the final name;
// the hidden copies (".<name>.copia-nuro-XXXXXX", regular files only) that a
// killed copy of the same name left are removed first. The copy gets the mode
// of any new file (0666 less the umask), whatever the source's mode. The data
// move in the kernel (copy_file_range) where the file systems allow it.
// Failures are run-time errors: 53 missing source, 76 missing folder, 70
// refused, 61 disk full, 75 a read-only destination or any other failure.
#include <string>

void CopiarArchivo(const std::string& origen, const std::string& destino);
