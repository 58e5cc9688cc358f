#pragma once

#include <memory>

// Reader and writer of one private-profile (.ini) file: [sections] of key=value lines.
// Holds the path and the file's parsed text from its last read, which is used again only
// while the file on disk is still the very same (same file, size and write time), so a run
// of reads costs one parse. Files saved as UTF-16 are read and written back as UTF-16.
// Results: 1 success, 0 failure; a missing or empty value reads as absent.
// Each change is saved by writing the whole file to a temporary file beside it and renaming
// that over it, so the file on disk is always one whole version.
class WIniKey {
public:
    explicit WIniKey(const char* path);
    ~WIniKey();
    WIniKey(const WIniKey&) = delete;
    WIniKey& operator=(const WIniKey&) = delete;

    // The file "name" in the folder. A path that does not fit, or no folder, gives a key that
    // reads nothing and writes nothing: a cut path would name another file.
    static std::unique_ptr<WIniKey> InFolder(const char* folder, const char* name);

    int ReadString(const char* section, const char* key, char* buffer, int size) const;
    int WriteString(const char* section, const char* key, const char* text) const;
    int ReadInt(const char* section, const char* key, int* value) const;
    int WriteInt(const char* section, const char* key, int value) const;

    const char* Path() const { return path; }
    bool Usable() const { return path[0] != '\0'; }

    // The changes made while a batch is open are saved together, in one replace of the file,
    // when the outermost batch on the key ends: a save killed half-way leaves the file wholly
    // old or wholly new. Reads meanwhile see the changes. A failed save drops all of them.
    class Batch {
    public:
        explicit Batch(const WIniKey* key); // null: nothing to do
        ~Batch();
        Batch(const Batch&) = delete;
        Batch& operator=(const Batch&) = delete;

    private:
        const WIniKey* key;
    };

    // Removes the temporary files of this file that processes no longer running left behind
    // (killed while saving); those of running ones may be in use.
    void RemoveStaleTemporaries() const;

private:
    struct Snapshot;
    Snapshot* Load() const;
    int Save() const;

    char path[260];
    mutable std::unique_ptr<Snapshot> cache;
    mutable int openBatches = 0;
};
