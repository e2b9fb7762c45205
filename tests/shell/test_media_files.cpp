// The pictures, sounds and music the build puts into the program folder.
#include "shell/media_catalog.h"

#include <QColor>
#include <QImage>
#include <QString>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

std::string programFile(std::string_view folder, std::string_view name)
{
    const char* root = std::getenv("QUORVIN_PROGRAM_FOLDER");
    return std::string(root ? root : "") + std::string(folder) + std::string(name);
}

std::vector<std::uint8_t> readBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

QImage loadImage(std::string_view name)
{
    return QImage(QString::fromStdString(programFile(media::imagesFolder, name)))
        .convertToFormat(QImage::Format_ARGB32);
}

int opaquePixels(const QImage& image, QRect area)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            count += qAlpha(image.pixel(x, y)) == 255;
    return count;
}

double meanLightness(const QImage& image, QRect area)
{
    double sum = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            sum += QColor(image.pixel(x, y)).lightnessF();
    return sum / (area.width() * area.height());
}

std::uint32_t bigEndian(const std::vector<std::uint8_t>& b, std::size_t at, int bytes)
{
    std::uint32_t value = 0;
    for (int i = 0; i < bytes; ++i)
        value = value << 8 | b.at(at + i);
    return value;
}

std::uint32_t littleEndian(const std::vector<std::uint8_t>& b, std::size_t at, int bytes)
{
    std::uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; --i)
        value = value << 8 | b.at(at + i);
    return value;
}

TEST(MediaFiles, PieceImagesAreSquareAndMatchTheirRoles)
{
    const QImage king = loadImage("WK.GIF");
    ASSERT_FALSE(king.isNull());
    const int size = king.width();
    EXPECT_GE(size, 80) << "pieces should stay crisp at twice the default square";
    const QRect whole(0, 0, size, size);
    const QRect centre(size / 4, size / 4, size / 2, size / 2);
    const QRect edge(0, 0, size, 2);

    for (std::size_t i = 0; i < media::pieceBaseNames.size(); ++i) {
        const std::string base(media::pieceBaseNames[i]);
        std::vector<std::string> names{base + ".GIF"};
        if (i < media::highlightedPieceCount)
            names.push_back(base + "S.GIF");
        for (const std::string& name : names) {
            SCOPED_TRACE(name);
            const QImage image = loadImage(name);
            ASSERT_FALSE(image.isNull());
            EXPECT_EQ(image.size(), QSize(size, size));
            const bool highlighted = name.size() == base.size() + 5;
            // The highlight is a frame: solid along the edge, the board showing in the middle.
            EXPECT_EQ(opaquePixels(image, edge) == edge.width() * edge.height(), highlighted);
            if (base == "OO")
                EXPECT_EQ(opaquePixels(image, centre), 0);
            else
                EXPECT_GT(opaquePixels(image, centre), centre.width() * centre.height() / 8);
            // Never an opaque block: the board picture must show around the piece.
            EXPECT_LT(opaquePixels(image, whole), whole.width() * whole.height() * 7 / 8);
        }
    }
    EXPECT_NE(loadImage("WKM.GIF"), king);
    EXPECT_NE(loadImage("BKM.GIF"), loadImage("BK.GIF"));
}

TEST(MediaFiles, BlackPiecesReadAsBlackAndWhiteOnesAsWhite)
{
    // The share of light pixels in a piece's opaque pixels tells the colour at a glance.
    const auto lightShare = [](const QImage& image) {
        int opaque = 0;
        int light = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QRgb pixel = image.pixel(x, y);
                if (qAlpha(pixel) < 255)
                    continue;
                ++opaque;
                light += qGray(pixel) > 160;
            }
        return opaque ? static_cast<double>(light) / opaque : 0.0;
    };
    for (const char* piece : {"P", "N", "B", "R", "Q", "K"}) {
        SCOPED_TRACE(piece);
        const QImage white = loadImage(std::string("W") + piece + ".GIF");
        const QImage black = loadImage(std::string("B") + piece + ".GIF");
        ASSERT_FALSE(white.isNull() || black.isNull());
        EXPECT_GT(lightShare(white), 0.3);
        EXPECT_LT(lightShare(black), 0.1);
    }
}

TEST(MediaFiles, BoardPicturesHaveEightByEightSquaresLightInTheCorner)
{
    for (std::string_view name : media::boardPictures) {
        SCOPED_TRACE(std::string(name));
        const QImage board = loadImage(name);
        ASSERT_FALSE(board.isNull());
        EXPECT_EQ(board.width(), board.height());
        EXPECT_EQ(board.width() % 8, 0);
        EXPECT_GE(board.width(), 8 * 80);
        const int square = board.width() / 8;
        const QRect a8(0, 0, square, square);
        const QRect b8(square, 0, square, square);
        const QRect h1(7 * square, 7 * square, square, square);
        EXPECT_GT(meanLightness(board, a8), meanLightness(board, b8) + 0.1);
        EXPECT_GT(meanLightness(board, h1), meanLightness(board, b8) + 0.1);
        EXPECT_EQ(opaquePixels(board, a8), square * square);
    }
}

TEST(MediaFiles, OwnPicturesHaveTheirSizes)
{
    const struct {
        std::string_view name;
        QSize size;
    } rows[] = {
        {media::winPicture, {64, 64}},         {media::drawPicture, {64, 64}},
        {media::lossPicture, {64, 64}},        {media::engineWhitePicture, {32, 32}},
        {media::engineBlackPicture, {32, 32}}, {media::whiteToMoveIcon, {64, 64}},
        {media::blackToMoveIcon, {64, 64}},    {media::advertPicture, {468, 60}},
    };
    ASSERT_EQ(std::size(rows), media::ownPictures.size());
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.name));
        const QImage image = loadImage(row.name);
        ASSERT_FALSE(image.isNull());
        EXPECT_EQ(image.size(), row.size);
        const QRect whole(QPoint(0, 0), row.size);
        EXPECT_GT(opaquePixels(image, whole), whole.width() * whole.height() / 4);
    }
    // The two styles of a picture must be told apart.
    EXPECT_NE(loadImage(media::engineWhitePicture), loadImage(media::engineBlackPicture));
    EXPECT_NE(meanLightness(loadImage(media::whiteToMoveIcon), QRect(20, 20, 24, 24)),
              meanLightness(loadImage(media::blackToMoveIcon), QRect(20, 20, 24, 24)));
}

struct WaveInfo {
    std::uint32_t rate = 0;
    std::uint32_t channels = 0;
    std::uint32_t bits = 0;
    std::vector<std::int16_t> samples;
};

// Reads a PCM WAV file; nullopt when its chunks are inconsistent.
std::optional<WaveInfo> readWave(const std::vector<std::uint8_t>& b)
{
    if (b.size() < 12 || std::string(b.begin(), b.begin() + 4) != "RIFF" ||
        std::string(b.begin() + 8, b.begin() + 12) != "WAVE" ||
        littleEndian(b, 4, 4) + 8 != b.size())
        return std::nullopt;
    WaveInfo wave;
    bool sawFormat = false;
    for (std::size_t at = 12; at + 8 <= b.size();) {
        const std::string id(b.begin() + at, b.begin() + at + 4);
        const std::uint32_t length = littleEndian(b, at + 4, 4);
        if (at + 8 + length > b.size())
            return std::nullopt;
        if (id == "fmt ") {
            if (littleEndian(b, at + 8, 2) != 1)
                return std::nullopt; // not PCM
            wave.channels = littleEndian(b, at + 10, 2);
            wave.rate = littleEndian(b, at + 12, 4);
            wave.bits = littleEndian(b, at + 22, 2);
            sawFormat = true;
        } else if (id == "data" && sawFormat) {
            for (std::size_t i = 0; i + 1 < length; i += 2)
                wave.samples.push_back(static_cast<std::int16_t>(littleEndian(b, at + 8 + i, 2)));
            return wave;
        }
        at += 8 + length + (length & 1);
    }
    return std::nullopt;
}

TEST(MediaFiles, SoundsAreShortFadedMonoPcm)
{
    for (std::string_view name : media::soundNames) {
        SCOPED_TRACE(std::string(name));
        const auto wave =
            readWave(readBytes(programFile(media::soundsFolder, std::string(name) + ".WAV")));
        ASSERT_TRUE(wave.has_value());
        EXPECT_EQ(wave->channels, 1u);
        EXPECT_EQ(wave->bits, 16u);
        EXPECT_TRUE(wave->rate == 22050 || wave->rate == 44100);
        const bool jingle = name == "WIN" || name == "LOSS" || name == "DRAW" || name == "NEWGAME";
        const double seconds = double(wave->samples.size()) / wave->rate;
        EXPECT_GT(seconds, 0.02);
        EXPECT_LT(seconds, jingle ? 1.5 : 0.4);
        int peak = 0;
        for (std::int16_t s : wave->samples)
            peak = std::max(peak, std::abs(int(s)));
        EXPECT_GT(peak, 32767 / 10) << "audible";
        EXPECT_LT(peak, 32767 * 7 / 10) << "moderate volume";
        EXPECT_LT(std::abs(int(wave->samples.back())), 32767 / 50) << "fades out";
    }
}

struct MidiInfo {
    int tracks = 0;
    int noteOns = 0;
    double seconds = 0;
};

// Walks every event of a Standard MIDI File; nullopt when a chunk length, an event or the
// end-of-track marker is wrong.
std::optional<MidiInfo> readMidi(const std::vector<std::uint8_t>& b)
{
    if (b.size() < 14 || std::string(b.begin(), b.begin() + 4) != "MThd" ||
        bigEndian(b, 4, 4) != 6 || bigEndian(b, 8, 2) > 1)
        return std::nullopt;
    const std::uint32_t trackCount = bigEndian(b, 10, 2);
    const std::uint32_t division = bigEndian(b, 12, 2);
    if (division == 0 || division & 0x8000)
        return std::nullopt;
    MidiInfo info;
    std::uint32_t tempo = 500000;
    std::uint32_t longest = 0;
    std::size_t at = 14;
    for (; at < b.size(); ++info.tracks) {
        if (at + 8 > b.size() || std::string(b.begin() + at, b.begin() + at + 4) != "MTrk")
            return std::nullopt;
        const std::size_t end = at + 8 + bigEndian(b, at + 4, 4);
        if (end > b.size())
            return std::nullopt;
        at += 8;
        std::uint32_t ticks = 0;
        std::uint8_t status = 0;
        bool ended = false;
        auto varLength = [&]() {
            std::uint32_t value = 0;
            for (int i = 0; i < 4; ++i) {
                const std::uint8_t byte = b.at(at++);
                value = value << 7 | (byte & 0x7f);
                if (!(byte & 0x80))
                    return value;
            }
            throw std::runtime_error("variable length over four bytes");
        };
        try {
            while (at < end && !ended) {
                ticks += varLength();
                if (b.at(at) & 0x80)
                    status = b[at++];
                if (status == 0xff) {
                    const std::uint8_t type = b.at(at++);
                    const std::uint32_t length = varLength();
                    if (type == 0x51 && length == 3)
                        tempo = bigEndian(b, at, 3);
                    ended = type == 0x2f && length == 0;
                    at += length;
                } else if (status == 0xf0 || status == 0xf7) {
                    at += varLength();
                } else if (status >= 0x80) {
                    const bool oneByte = (status & 0xf0) == 0xc0 || (status & 0xf0) == 0xd0;
                    if ((status & 0xf0) == 0x90 && b.at(at + 1) > 0)
                        ++info.noteOns;
                    at += oneByte ? 1 : 2;
                } else {
                    return std::nullopt; // data byte without a status
                }
            }
        } catch (const std::exception&) {
            return std::nullopt;
        }
        if (!ended || at != end)
            return std::nullopt;
        longest = std::max(longest, ticks);
    }
    if (static_cast<std::uint32_t>(info.tracks) != trackCount)
        return std::nullopt;
    info.seconds = double(longest) / division * tempo / 1e6;
    return info;
}

TEST(MediaFiles, MusicIsWellFormedMidiOfReasonableLength)
{
    ASSERT_EQ(media::musicCaptions.size(), media::musicBaseNames.size());
    for (std::size_t i = 0; i < media::musicBaseNames.size(); ++i) {
        const std::string_view name = media::musicBaseNames[i];
        SCOPED_TRACE(std::string(name));
        EXPECT_LE(name.size(), 8u);
        const std::string accelerator{'&', char('B' + i), '.', ' '};
        EXPECT_EQ(media::musicCaptions[i].substr(0, 4), accelerator);
        const auto midi =
            readMidi(readBytes(programFile(media::musicFolder, std::string(name) + ".MID")));
        ASSERT_TRUE(midi.has_value());
        EXPECT_GE(midi->tracks, 2);
        EXPECT_GT(midi->noteOns, 50);
        EXPECT_GE(midi->seconds, 30.0);
        EXPECT_LE(midi->seconds, 90.0);
    }
}

} // namespace
