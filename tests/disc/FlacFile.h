#pragma once

#include <FLAC/metadata.h>
#include <FLAC/stream_encoder.h>

#include <cstdint>
#include <string>
#include <vector>

// FLAC files made with libFLAC's encoder, from the same bytes of 16-bit little-endian stereo
// samples that a WAVE file of the sound holds.

// A track of a CUESHEET block, in CD frames; index00 < 0 when it has none.
struct FlacCueTrack {
    int number;
    std::int64_t index01;
    std::int64_t index00 = -1;
    bool data = false;
};

struct FlacOptions {
    int channels = 2, bits = 16;
    std::vector<std::string> comments; // NAME=value
    std::vector<FlacCueTrack> cueBlock;
};

namespace flacfile {

inline FLAC__StreamEncoderWriteStatus Write(const FLAC__StreamEncoder*, const FLAC__byte data[],
                                            size_t count, uint32_t, uint32_t, void* out) {
    static_cast<std::string*>(out)->append(reinterpret_cast<const char*>(data), count);
    return FLAC__STREAM_ENCODER_WRITE_STATUS_OK;
}

inline FLAC__StreamMetadata* CueBlock(const std::vector<FlacCueTrack>& tracks,
                                      std::uint64_t samples) {
    FLAC__StreamMetadata* block = FLAC__metadata_object_new(FLAC__METADATA_TYPE_CUESHEET);
    block->data.cue_sheet.is_cd = true;
    block->data.cue_sheet.lead_in = 88200;
    for (unsigned t = 0; t <= tracks.size(); t++) {
        FLAC__metadata_object_cuesheet_insert_blank_track(block, t);
        FLAC__StreamMetadata_CueSheet_Track& track = block->data.cue_sheet.tracks[t];
        if (t == tracks.size()) { // the lead-out
            track.number = 170;
            track.offset = samples;
            break;
        }
        const FlacCueTrack& wanted = tracks[t];
        track.number = FLAC__byte(wanted.number);
        track.type = wanted.data;
        track.offset = std::uint64_t(wanted.index00 >= 0 ? wanted.index00 : wanted.index01) * 588;
        unsigned index = 0;
        for (int number : {0, 1}) {
            const std::int64_t frame = number == 0 ? wanted.index00 : wanted.index01;
            if (frame < 0) continue;
            FLAC__metadata_object_cuesheet_track_insert_blank_index(block, t, index);
            block->data.cue_sheet.tracks[t].indices[index].number = FLAC__byte(number);
            block->data.cue_sheet.tracks[t].indices[index++].offset =
                std::uint64_t(frame) * 588 - block->data.cue_sheet.tracks[t].offset;
        }
    }
    return block;
}

} // namespace flacfile

// The file's bytes; 24-bit samples are the 16-bit ones shifted up, mono the left channel.
inline std::string CdFlac(const std::string& pcm, const FlacOptions& options = FlacOptions()) {
    const std::size_t samples = pcm.size() / 4;
    std::vector<FLAC__int32> interleaved;
    for (std::size_t s = 0; s < samples; s++)
        for (int c = 0; c < options.channels; c++) {
            const auto* bytes = reinterpret_cast<const unsigned char*>(pcm.data() + 4 * s + 2 * c);
            const int value = std::int16_t(bytes[0] | (bytes[1] << 8));
            interleaved.push_back(value * (1 << (options.bits - 16)));
        }
    std::vector<FLAC__StreamMetadata*> metadata;
    if (!options.comments.empty()) {
        metadata.push_back(FLAC__metadata_object_new(FLAC__METADATA_TYPE_VORBIS_COMMENT));
        for (const std::string& comment : options.comments) {
            FLAC__StreamMetadata_VorbisComment_Entry entry;
            entry.length = FLAC__uint32(comment.size());
            entry.entry = reinterpret_cast<FLAC__byte*>(const_cast<char*>(comment.data()));
            FLAC__metadata_object_vorbiscomment_append_comment(metadata.back(), entry, true);
        }
    }
    if (!options.cueBlock.empty())
        metadata.push_back(flacfile::CueBlock(options.cueBlock, samples));

    FLAC__StreamEncoder* encoder = FLAC__stream_encoder_new();
    FLAC__stream_encoder_set_channels(encoder, unsigned(options.channels));
    FLAC__stream_encoder_set_bits_per_sample(encoder, unsigned(options.bits));
    FLAC__stream_encoder_set_sample_rate(encoder, 44100);
    FLAC__stream_encoder_set_metadata(encoder, metadata.data(), unsigned(metadata.size()));
    // Written once, front to back: the header's length is given before the samples.
    FLAC__stream_encoder_set_total_samples_estimate(encoder, samples);
    std::string out;
    FLAC__stream_encoder_init_stream(encoder, flacfile::Write, nullptr, nullptr, nullptr, &out);
    FLAC__stream_encoder_process_interleaved(encoder, interleaved.data(), unsigned(samples));
    FLAC__stream_encoder_finish(encoder);
    FLAC__stream_encoder_delete(encoder);
    for (FLAC__StreamMetadata* block : metadata)
        FLAC__metadata_object_delete(block);
    return out;
}
