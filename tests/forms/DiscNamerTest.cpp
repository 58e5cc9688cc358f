// Names looked up for the disc in the drive, through a real HTTP server on 127.0.0.1 that
// serves answers we write for an invented disc.
#include "app/Settings.h"
#include "devices/CdTextReader.h"
#include "forms/DiscNamer.h"
#include "forms/PlaylistForm.h"
#include "lookup/CdText.h"
#include "res/resource.h"
#include "support/LocalHttpServer.h"
#include "support/TestProgram.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

namespace {

using Route = LocalHttpServer::Route;

// The releases of a three-track disc as MusicBrainz lists them.
std::string Releases(const std::vector<std::string>& albums,
                     const std::string& artist = "Ana Lux") {
    std::string json = R"({"releases": [)";
    for (const std::string& album : albums)
        json += (json.back() == '[' ? "" : ",") + std::string(R"({"title": ")") + album +
                R"(", "artist-credit": [{"name": ")" + artist +
                R"("}], "media": [{"format": "CD", "tracks": [{"title": "Caf\u00e9"},
                {"title": "\u041c\u0443\u0437\u044b\u043a\u0430"}, {"title": "Three"}]}]})";
    return json + "]}";
}

const char* const xmcd = "210 rock 1f02e004 CD database entry follows\r\n# xmcd\r\n"
                         "DTITLE=Gnu Band / Gnu Album\r\nDYEAR=1999\r\nTTITLE0=G1\r\nTTITLE1=G2\r\n"
                         "TTITLE2=G3\r\n.\r\n";

std::vector<std::string> told, offered;
int pick = 0;

int WINAPI Tell(HWND, const char* text, const char*, UINT) {
    told.push_back(text);
    return IDOK;
}

int Choose(HINSTANCE, HWND, const std::vector<std::string>& summaries) {
    offered = summaries;
    return pick;
}

class Lookup : public ::testing::Test, protected TestProgram {
protected:
    void SetUp() override {
        told.clear(), offered.clear(), pick = 0;
        DiscNamer::tellUser = Tell;
        DiscNamer::choose = Choose;
        drive.InsertDisc({{200 * 75, false}, {150 * 75, false}, {100 * 75, false}});
        drive.SetFileSystemSerial(0x5E1);
    }
    void TearDown() override { Stop(); }

    void StartWith(const LocalHttpServer& server, const std::string& email = "") {
        Start("[lookup]\r\nmusicbrainz=" + server.Url() + "ws/2\r\ngnudb=" + server.Url() +
              "cddb.cgi\r\nemail=" + email + "\r\n");
        Tick(); // reads the disc
    }
    // Serves messages until the condition holds; the bound only ends a failing test.
    template <typename Condition> bool PumpUntil(Condition condition, int rounds = 2000) {
        for (int i = 0; i < rounds && !condition(); i++) {
            Pump();
            Sleep(10);
        }
        return condition();
    }
    std::string Stored(const char* key) {
        char value[200] = "";
        discIni.ReadString("5E1", key, value, sizeof value);
        return value;
    }
};

// What an automatic lookup finds is stored as if typed and shown at once; the menu's lookup
// asks even about one match.
TEST_F(Lookup, AFoundDiscIsStoredAndShownAtOnce) {
    const std::vector<Route> one = {{"/ws/2/discid/", 200, Releases({"Night Songs"})}},
                             busy = {{"/ws/2/", 503, "", 1}, {"/ws/2/", 200, Releases({"Later"})}},
                             gnudb = {{"/ws/2/", 404, ""},
                                      {"/cddb.cgi?cmd=cddb+query", 200,
                                       "200 rock 1f02e004 Gnu Band / Gnu Album\r\n"},
                                      {"/cddb.cgi?cmd=cddb+read+rock+1f02e004", 200, xmcd}};
    const struct {
        const char* what;
        std::vector<Route> routes;
        std::string email, artist, album;
        size_t requests;
    } cases[] = {{"one match", one, "", "Ana Lux", "Night Songs", 1},
                 {"busy, then found", busy, "", "Ana Lux", "Later", 2},
                 {"gnudb knows it", gnudb, "me@example.org", "Gnu Band", "Gnu Album", 3}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        offered.clear();
        LocalHttpServer server(c.routes);
        StartWith(server, c.email);
        ASSERT_TRUE(PumpUntil([&] { return !Stored("title").empty(); }));
        EXPECT_EQ(c.artist, Stored("artist"));
        EXPECT_EQ(c.album, Shows(MainForm::tbAlbum));
        EXPECT_EQ(c.requests, server.Requests().size());
        EXPECT_TRUE(offered.empty()) << "one match is taken without asking";
        pick = -1;
        SendMessageA(form->hwnd, WM_COMMAND, IDM_LOOKUP_NAMES, 0);
        EXPECT_TRUE(PumpUntil([&] { return offered.size() == 1; }));
        Stop();
        folder.Write("cdplayer.ini", "");
    }
}

// Several releases go to the chooser, and what the user takes is stored; Escape at the menu's
// lookup keeps the stored names. The request names the disc and the
// program; letters the code page lacks become its default character.
TEST_F(Lookup, TheUserChoosesAmongReleases) {
    LocalHttpServer server({{"/ws/2/", 200, Releases({"First", "Second"})}});
    pick = 1;
    StartWith(server);
    ASSERT_TRUE(PumpUntil([&] { return !Stored("title").empty(); }));
    EXPECT_EQ(std::vector<std::string>({"Ana Lux - First (CD)", "Ana Lux - Second (CD)"}), offered);
    EXPECT_EQ("Second", Stored("title"));
    DiscToc toc;
    cd.ReadToc(&toc);
    const std::string request = server.Requests().at(0);
    EXPECT_EQ(
        0u, request.find("GET /ws/2/discid/" + toc.MusicBrainzId() +
                         "?toc=1+3+33900+150+15150+26400&inc=recordings+artist-credits&fmt=json "))
        << request;
    EXPECT_NE(std::string::npos, request.find("User-Agent: Lumivoxen/")) << request;
    EXPECT_EQ("Caf\xE9", Stored("0"));
    EXPECT_EQ("??????", Stored("1"));
    char entry[100];
    form->playlist->entries.ItemText(0, entry, sizeof entry);
    EXPECT_STREQ("01. Caf\xE9", entry);

    pick = -1; // Escape
    SendMessageA(form->hwnd, WM_COMMAND, IDM_LOOKUP_NAMES, 0);
    ASSERT_TRUE(PumpUntil([&] { return server.Requests().size() == 2 && !offered.empty(); }));
    EXPECT_EQ("Second", Stored("title"));
}

// A disc with names of its own is not looked up by itself; failures of the menu's lookup are
// told in one line, and nothing is stored from a failed one. gnudb refusing the client is
// not asked again in this run: the second lookup asks MusicBrainz alone.
TEST_F(Lookup, FailuresAreToldFromTheMenuAndStoreNothing) {
    const std::string none = "No names found for this disc",
                      tooLarge = "MusicBrainz could not be reached: the answer is too large";
    const std::vector<Route> huge = {{"/ws/2/", 200, std::string(50 << 20, ' ')}},
                             refused = {{"/ws/2/", 404, ""},
                                        {"/cddb.cgi", 200, "500 Unrecognized client\r\n"}};
    const struct {
        const char* what;
        std::vector<Route> routes;
        std::string email, told, again; // what the first and the second lookup tell
        size_t requests;                // after both
    } cases[] = {
        {"50 MB", huge, "", tooLarge, tooLarge, 2},
        {"unknown client", refused, "me@example.org", "gnudb: 500 Unrecognized client", none, 3}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        told.clear();
        folder.Write("cdplayer.ini", "[5E1]\r\nartist=Mine\r\n");
        LocalHttpServer server(c.routes);
        StartWith(server, c.email);
        SendMessageA(form->hwnd, WM_COMMAND, IDM_LOOKUP_NAMES, 0);
        ASSERT_TRUE(PumpUntil([&] { return !told.empty(); }));
        EXPECT_EQ(c.told, told[0]);
        const std::string last = server.Requests().back();
        if (!c.email.empty()) {
            EXPECT_NE(std::string::npos, last.find("&hello=me+example.org+Lumivoxen+")) << last;
        }
        SendMessageA(form->hwnd, WM_COMMAND, IDM_LOOKUP_NAMES, 0);
        ASSERT_TRUE(PumpUntil([&] { return told.size() == 2; }));
        EXPECT_EQ(c.again, told[1]);
        EXPECT_EQ(c.requests, server.Requests().size());
        EXPECT_EQ("[5E1]\r\nartist=Mine\r\n", folder.Read("cdplayer.ini"));
        Stop();
    }
}

// A server that never answers holds up nothing: ticks, a message round trip and the end.
TEST_F(Lookup, ASilentServerHoldsUpNothing) {
    LocalHttpServer server({{"/ws/2/", 200, "", -1, true}});
    StartWith(server);
    ASSERT_TRUE(PumpUntil([&] { return server.Requests().size() == 1; }));
    Tick(3);
    DWORD_PTR result = 0;
    EXPECT_TRUE(SendMessageTimeoutA(form->hwnd, WM_NULL, 0, 0, SMTO_BLOCK, 5000, &result));
    Stop();
    EXPECT_EQ("", Stored("artist"));
}

// Turned off, nothing is asked, and the menu says so.
TEST_F(Lookup, TurnedOffAsksNobody) {
    LocalHttpServer server({{"/", 200, Releases({"Night Songs"})}});
    Start("[lookup]\r\nonline=0\r\nmusicbrainz=" + server.Url() + "\r\n");
    Tick();
    SendMessageA(form->hwnd, WM_COMMAND, IDM_LOOKUP_NAMES, 0);
    ASSERT_EQ(1u, told.size());
    EXPECT_NE(std::string::npos, told[0].find("turned off"));
    EXPECT_TRUE(server.Requests().empty());
    EXPECT_EQ("Unknown album", Shows(MainForm::tbAlbum));
}

} // namespace

// Names a sheet states keep the disc from being looked up; names made up from a folder's
// file names do not.
TEST_F(Lookup, OnlyNamesTheDiscStatesKeepItFromBeingLookedUp) {
    for (bool fromFileNames : {false, true}) {
        LocalHttpServer server({{"/ws/2/", 200, Releases({"Night Songs"})}});
        DiscNames names;
        names.album = "Rip";
        names.fromFileNames = fromFileNames;
        Start("[lookup]\r\nmusicbrainz=" + server.Url() + "ws/2/\r\n");
        engine->SetFallbackNames("5E1", names);
        Tick();
        // A lookup that should not come is given a second to show itself.
        EXPECT_EQ(fromFileNames,
                  PumpUntil([&] { return !Stored("title").empty(); }, fromFileNames ? 2000 : 100));
        EXPECT_EQ(fromFileNames ? "Night Songs" : "Rip", Shows(MainForm::tbAlbum));
        Stop();
    }
}

// A real drive's CD-Text names the disc without asking anyone.
TEST_F(Lookup, CdTextNamesTheDiscFirst) {
    LocalHttpServer server({{"/ws/2/", 200, Releases({"Online"})}});
    DiscNamer::readCdText = [](char drive, std::string& packs) {
        unsigned char pack[18] = {0x80, 0, 0, 0, 'D', 'i', 's', 'c', 0, 'O', 'n', 'e', 0};
        const unsigned short crc = CdText::Crc(pack);
        pack[16] = static_cast<unsigned char>(crc >> 8), pack[17] = static_cast<unsigned char>(crc);
        packs.assign(reinterpret_cast<const char*>(pack), sizeof pack);
        return drive == 'D';
    };
    StartWith(server);
    DiscNamer::readCdText = CdTextReader::ReadPacks;
    EXPECT_EQ("Disc", Stored("title"));
    EXPECT_EQ("One", Stored("0"));
    EXPECT_EQ("Disc", Shows(MainForm::tbAlbum));
    EXPECT_FALSE(PumpUntil([&] { return !server.Requests().empty(); }, 100));
}
