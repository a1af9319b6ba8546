/// \class CFileSystem
/// Where the engine's files come from: the plain file system, or the inside of a game archive (a
/// Quake-style .pak, a zip or .pk3) read through PhysicsFS. "ARCHIVE:INNER" names the file INNER inside
/// the archive ARCHIVE, folders separated by '/'; every other path is a plain file, read as always.
/// Archives are untrusted and only ever read: opening one reads its directory and checks it, a name
/// with ".." or a leading '/' never leaves it, and an entry larger than kMaxEntrySize is refused
/// before anything is allocated for it.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class CFileSystem {
public:
    /// The largest entry read out of an archive: 256 MiB.
    static const uint64_t kMaxEntrySize = uint64_t(256) << 20;

    /// Splits "ARCHIVE:INNER" at the first colon after which the part before it is an existing file;
    /// false for a plain path (a file that exists under the whole name is always plain).
    static bool SplitArchivePath(const std::string& path, std::string& archive, std::string& inner);
    /// The folder of a file, ending where a file name would be appended: "A.pk3:models/x/" for
    /// "A.pk3:models/x/tris.md2", "A.pk3:" for an entry at the archive's top, "dir/" for "dir/f".
    static std::string FolderOf(const std::string& path);
    /// The file's own name, without its folder.
    static std::string FileNameOf(const std::string& path);
    /// A file name up to its last dot ("tris" for "tris.md2"); the whole name when it has no dot or
    /// only a leading one.
    static std::string StemOf(const std::string& name);
    /// Whether a file name ends in `ending` (".md2"), compared in any case.
    static bool NameEndsWith(const std::string& name, const char* ending);
    /// The first of `names` that a file directly in the folder (given as FolderOf gives it) bears,
    /// compared in any case, as the path of that file ("dir/TRIS.ANM" for "tris.anm"); empty when
    /// there is none.
    static std::string FindNoCase(const std::string& folder, const std::vector<std::string>& names);

    /// The file a path given beside a model names (a part, a skin): a relative path that is neither an
    /// archive path nor a file on disk is the entry of that name inside the archive the model is in;
    /// any other path, and every path beside a model on disk, is itself.
    static std::string BesideModel(const std::string& path, const std::string& modelPath);
    /// Whether a regular file is there, on disk or inside an archive.
    static bool IsFile(const std::string& path);
    /// The names of the files directly in a folder given as FolderOf gives it, sorted; empty when it
    /// cannot be read.
    static std::vector<std::string> FilesIn(const std::string& folder);
    /// How far a reader needs a file, asked again as its bytes come in: the length the bytes read so
    /// far call for (a header that names the end of its tables, or a fixed most a reader takes).
    using Extent = std::function<uint64_t(const std::vector<uint8_t>& start)>;
    /// Reads a file into bytes: the one place a reader's path is found on disk or inside an archive.
    /// With an extent a plain file is read only as far as it says (so a pipe or a device is read too);
    /// an archive entry is read whole, as its checksum covers all of it. On failure `why` holds one
    /// line naming the file or the archive and the reason; it stays empty when there is no such file.
    static bool Read(const std::string& path, std::vector<uint8_t>& bytes, std::string& why,
                     const Extent& extent = nullptr);

    /// Every file below a folder or inside an archive, recursively, by its path inside with '/'
    /// between folders, sorted; false with one line in `why` when it cannot be opened.
    static bool ListTree(const std::string& root, std::vector<std::string>& files, std::string& why);
    /// The path of the file INNER of a folder or archive listed by ListTree: "ROOT/INNER" on disk,
    /// "ROOT:INNER" inside an archive.
    static std::string Join(const std::string& root, const std::string& inner);
    /// Closes an archive or folder the calls above opened, so that the next call reads it anew (after
    /// it changed on disk) and its directory's memory is returned; nothing when it is not open.
    static void Unmount(const std::string& root);
    /// The one line a refused archive gets: "Unable to read the archive (REASON): PATH!".
    static std::string Refusal(const std::string& archive, const std::string& reason);

private:
    /// The archive side, on PhysicsFS (the browser build has a stand-in that lists folders and opens
    /// no archive). A mount opens an archive or folder once for the process; later calls reuse it.
    /// Inner paths are already checked to stay inside.
    static bool Mount(const std::string& root, std::string& mountPoint, std::string& why);
    static bool MountedIsFile(const std::string& mountPoint, const std::string& inner);
    static std::vector<std::string> MountedFilesIn(const std::string& mountPoint, const std::string& folder);
    static bool MountedRead(const std::string& mountPoint, const std::string& archive,
                            const std::string& inner, std::vector<uint8_t>& bytes, std::string& why);
    static void MountedTree(const std::string& mountPoint, const std::string& folder,
                            std::vector<std::string>& files);
};
