#include "disc/FlacStream.h"

#include "disc/CueSheet.h"
#include "disc/ImageFile.h"

#include <FLAC/stream_decoder.h>

#include <algorithm>
#include <cctype>
#include <cstring>

namespace {

constexpr unsigned cdRate = 44100;

// A comment is NAME=value, the name in any letter case; only a wanted value is copied.
bool CommentValue(const FLAC__StreamMetadata_VorbisComment_Entry& entry, const char* wanted,
                  std::string* value) {
    const char* text = reinterpret_cast<const char*>(entry.entry);
    const std::size_t length = std::strlen(wanted);
    if (entry.length <= length || text[length] != '=') return false;
    for (std::size_t i = 0; i < length; i++)
        if (std::toupper(static_cast<unsigned char>(text[i])) != wanted[i]) return false;
    value->assign(text + length + 1, entry.length - length - 1);
    return true;
}

} // namespace

// The file is read through our own reader, as WAVE and BIN files are: the C library's
// positions past the end of a file differ between platforms.
struct FlacStream::Decoder {
    explicit Decoder(const std::string& path) : file(path) {}
    ~Decoder() {
        if (handle) FLAC__stream_decoder_delete(handle);
    }
    FLAC__StreamDecoder* handle = FLAC__stream_decoder_new();
    ImageFile file;
    std::uint64_t size = 0, position = 0;
};

struct FlacStream::Callbacks {
    static FLAC__StreamDecoderReadStatus Read(const FLAC__StreamDecoder*, FLAC__byte buffer[],
                                              size_t* bytes, void* client) {
        Decoder& decoder = *static_cast<FlacStream*>(client)->decoder;
        *bytes = decoder.file.ReadAt(decoder.position, buffer, *bytes);
        decoder.position += *bytes;
        return *bytes ? FLAC__STREAM_DECODER_READ_STATUS_CONTINUE
                      : FLAC__STREAM_DECODER_READ_STATUS_END_OF_STREAM;
    }
    static FLAC__StreamDecoderSeekStatus Seek(const FLAC__StreamDecoder*, FLAC__uint64 offset,
                                              void* client) {
        Decoder& decoder = *static_cast<FlacStream*>(client)->decoder;
        if (offset > decoder.size) return FLAC__STREAM_DECODER_SEEK_STATUS_ERROR;
        decoder.position = offset;
        return FLAC__STREAM_DECODER_SEEK_STATUS_OK;
    }
    static FLAC__StreamDecoderTellStatus Tell(const FLAC__StreamDecoder*, FLAC__uint64* offset,
                                              void* client) {
        *offset = static_cast<FlacStream*>(client)->decoder->position;
        return FLAC__STREAM_DECODER_TELL_STATUS_OK;
    }
    static FLAC__StreamDecoderLengthStatus Length(const FLAC__StreamDecoder*, FLAC__uint64* length,
                                                  void* client) {
        *length = static_cast<FlacStream*>(client)->decoder->size;
        return FLAC__STREAM_DECODER_LENGTH_STATUS_OK;
    }
    static FLAC__bool Eof(const FLAC__StreamDecoder*, void* client) {
        const Decoder& decoder = *static_cast<FlacStream*>(client)->decoder;
        return decoder.position >= decoder.size;
    }
    static FLAC__StreamDecoderWriteStatus Write(const FLAC__StreamDecoder*,
                                                const FLAC__Frame* frame,
                                                const FLAC__int32* const buffer[], void* client) {
        const FLAC__FrameHeader& header = frame->header;
        static_cast<FlacStream*>(client)->TakeBlock(header.number.sample_number, header.blocksize,
                                                    header.channels, header.bits_per_sample,
                                                    buffer);
        return FLAC__STREAM_DECODER_WRITE_STATUS_CONTINUE;
    }
    static void Metadata(const FLAC__StreamDecoder*, const FLAC__StreamMetadata* metadata,
                         void* client) {
        FlacStream& stream = *static_cast<FlacStream*>(client);
        if (metadata->type == FLAC__METADATA_TYPE_STREAMINFO) stream.TakeInfo(metadata);
        if (metadata->type == FLAC__METADATA_TYPE_VORBIS_COMMENT) stream.TakeComments(metadata);
        if (metadata->type == FLAC__METADATA_TYPE_CUESHEET) stream.TakeCueBlock(metadata);
    }
    static void Error(const FLAC__StreamDecoder*, FLAC__StreamDecoderErrorStatus, void* client) {
        FlacStream& stream = *static_cast<FlacStream*>(client);
        // A seek looks for frames by trial and shrugs off what it lands in the middle of.
        if (!stream.seeking) stream.MarkDamage();
    }
};

FlacStream::FlacStream(const std::string& path)
    : decoder(std::make_unique<Decoder>(path)), name(path) {
    FLAC__StreamDecoder* handle = decoder->handle;
    if (!handle || !decoder->file.IsOpen() || !ImageFile::Size(path, &decoder->size)) {
        Fail("cannot be read");
        return;
    }
    // Only the blocks we use; libFLAC passes over the others (pictures, padding) unread.
    FLAC__stream_decoder_set_metadata_respond(handle, FLAC__METADATA_TYPE_VORBIS_COMMENT);
    FLAC__stream_decoder_set_metadata_respond(handle, FLAC__METADATA_TYPE_CUESHEET);
    if (FLAC__stream_decoder_init_stream(handle, &Callbacks::Read, &Callbacks::Seek,
                                         &Callbacks::Tell, &Callbacks::Length, &Callbacks::Eof,
                                         &Callbacks::Write, &Callbacks::Metadata, &Callbacks::Error,
                                         this) != FLAC__STREAM_DECODER_INIT_STATUS_OK) {
        Fail("cannot be read");
        return;
    }
    ReadMetadata();
}

FlacStream::~FlacStream() = default;

bool FlacStream::Fail(const std::string& what) {
    if (error.empty()) error = name + ": " + what;
    return false;
}

bool FlacStream::ReadMetadata() {
    if (!FLAC__stream_decoder_process_until_end_of_metadata(decoder->handle) || damaged)
        return Fail("not a FLAC file, or its header is damaged");
    if (rate != cdRate || bits != 16 || channels != 2)
        return Fail("it is " + std::to_string(rate) + " Hz, " + std::to_string(bits) + "-bit, " +
                    std::to_string(channels) + " channel(s); a disc needs 44100 Hz, 16-bit stereo");
    if (samples == 0) return Fail("its header does not give its length");
    if (cueSheetTooLarge) return Fail("its CUESHEET comment is too large for a cue sheet");
    silentFrom = samples;
    return true;
}

void FlacStream::TakeInfo(const FLAC__StreamMetadata* metadata) {
    const FLAC__StreamMetadata_StreamInfo& info = metadata->data.stream_info;
    rate = info.sample_rate, bits = info.bits_per_sample, channels = info.channels;
    samples = info.total_samples;
}

void FlacStream::TakeComments(const FLAC__StreamMetadata* metadata) {
    const FLAC__StreamMetadata_VorbisComment& comments = metadata->data.vorbis_comment;
    for (FLAC__uint32 i = 0; i < comments.num_comments; i++) {
        CommentValue(comments.comments[i], "ARTIST", &artist);
        CommentValue(comments.comments[i], "ALBUM", &album);
        if (CommentValue(comments.comments[i], "CUESHEET", &cueSheetText) &&
            cueSheetText.size() > CueSheet::maxBytes) {
            cueSheetTooLarge = true;
            cueSheetText.clear();
        }
    }
}

void FlacStream::TakeCueBlock(const FLAC__StreamMetadata* metadata) {
    const FLAC__StreamMetadata_CueSheet& sheet = metadata->data.cue_sheet;
    cueTracks.clear();
    for (FLAC__uint32 t = 0; t < sheet.num_tracks; t++) {
        const FLAC__StreamMetadata_CueSheet_Track& track = sheet.tracks[t];
        if (t + 1 == sheet.num_tracks) break; // the lead-out: the file's end tells the disc's
        CueTrack read;
        read.number = track.number;
        read.audio = track.type == 0;
        read.offset = track.offset;
        for (unsigned i = 0; i < track.num_indices; i++)
            read.indexes.push_back({track.indices[i].number, track.indices[i].offset});
        cueTracks.push_back(read);
    }
}

// A block is kept whole. One that is not CD audio, though the stream's header says so, is
// damage: libFLAC does not hold frames to the header.
void FlacStream::TakeBlock(std::uint64_t start, unsigned length, unsigned blockChannels,
                           unsigned blockBits, const std::int32_t* const buffer[]) {
    if (blockChannels != 2 || blockBits != 16) {
        MarkDamage();
        return;
    }
    seeking = false;
    block.resize(std::size_t(length) * 2);
    for (unsigned i = 0; i < length; i++) {
        block[2 * i] = static_cast<std::int16_t>(buffer[0][i]);
        block[2 * i + 1] = static_cast<std::int16_t>(buffer[1][i]);
    }
    blockStart = start;
    blockValid = true;
}

// Everything from the first sample not yet decoded on stays silent. Damage met while
// seeking only fails the seek.
void FlacStream::MarkDamage() {
    damaged = true;
    if (blockValid) silentFrom = std::min(silentFrom, blockStart + block.size() / 2);
}

std::size_t FlacStream::Read(std::uint64_t first, std::int16_t* out, std::size_t count) {
    std::size_t done = 0;
    while (Valid() && done < count && first + done < silentFrom) {
        const std::uint64_t at = first + done;
        const std::uint64_t blockEnd = blockStart + block.size() / 2;
        if (blockValid && at >= blockStart && at < blockEnd) {
            const std::size_t from = std::size_t(at - blockStart);
            const std::size_t n = std::min<std::size_t>(count - done, std::size_t(blockEnd - at));
            std::copy(block.begin() + std::ptrdiff_t(2 * from),
                      block.begin() + std::ptrdiff_t(2 * (from + n)), out + 2 * done);
            done += n;
        } else if (!(blockValid && at == blockEnd ? DecodeNext() : SeekTo(at))) {
            break;
        }
    }
    return done;
}

// The stream ending early (a cut file) is damage too: its header promised more.
bool FlacStream::DecodeNext() {
    const std::uint64_t before = blockStart;
    damaged = false;
    if (!FLAC__stream_decoder_process_single(decoder->handle) || damaged || blockStart == before) {
        MarkDamage();
        return false;
    }
    return true;
}

// After a failed seek the decoder is flushed, and the next read seeks again.
bool FlacStream::SeekTo(std::uint64_t sample) {
    seeking = true;
    blockValid = false;
    const bool found = FLAC__stream_decoder_seek_absolute(decoder->handle, sample) && blockValid;
    seeking = false;
    if (!found) {
        FLAC__stream_decoder_flush(decoder->handle);
        blockValid = false;
    }
    return found;
}
