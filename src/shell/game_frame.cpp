#include "shell/game_frame.h"

#include <chrono>

#include "audio/sound.h"
#include "craft/player.h"
#include "hud/countdown_banner.h"
#include "hud/finish_panel.h"
#include "hud/frame_rate.h"
#include "hud/ghost_gap.h"
#include "hud/hud.h"
#include "hud/notice_lines.h"
#include "hud/pause_banner.h"
#include "hud/standings_panel.h"
#include "hud/track_map.h"
#include "hud/wrong_way_banner.h"
#include "input/joystick.h"
#include "input/key_state.h"
#include "menu/pause_menu.h"
#include "menu/player_settings.h"
#include "race/race.h"
#include "race/race_pose.h"
#include "race/race_result.h"
#include "race/wrong_way.h"
#include "render/frame_draw.h"
#include "saves/disk_notices.h"
#include "screen/game_window.h"
#include "screen/picture_target.h"
#include "session/countdown.h"
#include "session/ghost.h"
#include "session/race_commands.h"
#include "session/race_recording.h"
#include "session/race_records.h"
#include "session/replay_watch.h"
#include "session/season.h"
#include "trace/startup_trace.h"
#include "track/track.h"
#include "world/world_sender.h"

namespace {
double gFramesPerSecond = 0.0;
double gTicksPerSecond = 0.0;

void playRaceSounds(const RaceSounds& sounds) {
    if (sounds.engineStep) {
        updateEngineSound(sounds.throttle);
    }
    if (sounds.crash) {
        playCrashSound();
    }
    if (sounds.shot) {
        playShotSound();
    }
}

// The notices' few seconds run on the wall clock: they fade while paused too.
uint32_t noticeClockMs() {
    using namespace std::chrono;
    return static_cast<uint32_t>(
        duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

FinishPanel finishPanelNow() {
    const RecordsImproved beaten = recordsBeatenThisRace();
    FinishPanel panel;
    panel.result = raceResult();
    panel.newBestLap = beaten.bestLap;
    panel.newBestRace = beaten.bestRace;
    panel.circuit = gTrack.circuitNumber();
    panel.ghostGapMs = ghostFinishGap();
    panel.replay = watchingReplay();
    panel.escBackToRacing = watchingThePilot();
    panel.mode = raceMode();
    panel.difficulty = raceDifficulty();
    panel.medals = knownMedalTimes(gTrack.circuitNumber());
    // Asked each frame, so the board's answer shows as soon as it comes.
    if (panel.mode == RaceMode::TimeTrial && !panel.replay && !playerSettings().board.empty()) {
        panel.world = worldLineFor(panel.circuit);
    }
    return panel;
}

StandingsPanel standingsPanelNow() {
    const Season& season = *seasonNow();
    StandingsPanel panel;
    panel.championship = season.number;
    panel.difficulty = season.difficulty;
    panel.racesRun = season.racesRun;
    panel.circuit = gTrack.circuitNumber();
    panel.points = season.points;
    panel.lastPlaces = season.lastPlaces;
    return panel;
}

// Over the HUD: the countdown, the records, trouble on disk, WRONG WAY while
// the race is on, then the finish panel (a season's standings), then the
// pause over all; the pause menu and the finish panel share the screen.
void drawRaceNotices() {
    const Records records = currentRecords();
    const std::optional<int> countdown = countdownShows();
    if (countdown && !pauseMenuShows() && !watchingReplay()) {
        drawCountdown(*countdown);
    }
    drawBestTimes(records.bestLapMs, records.bestRaceMs);
    drawNoticeLines(gDiskNotices.showing(noticeClockMs()));
    if (gWrongWay.wrongWay() && !raceIsFinished() && !raceIsPaused()) {
        drawWrongWay();
    }
    const std::optional<int32_t> gap = ghostLapGapNow();
    if (gap) {
        drawGhostGap(*gap);
    }
    if (pauseMenuShows()) {
        if (raceIsFinished()) {
            const FinishPanel panel = finishPanelNow();
            drawPauseMenu(&panel);
        } else {
            drawPauseMenu(nullptr);
        }
        return;
    }
    if (standingsShow()) {
        drawStandingsPanel(standingsPanelNow());
    } else if (raceIsFinished()) {
        drawFinishPanel(finishPanelNow());
    }
    if (raceIsPaused()) {
        drawPauseBanner();  // a paused replay
    }
}

// A time trial's grid holds through 3, 2, 1: the race does not step, so its
// clock starts at GO and nothing is recorded. The keys are still read, so a
// tap in the countdown is not stored up to fire or steer at GO, and Up revs
// the engine on the grid. Paused, the countdown stands still with the race.
void runCountedRaceTick() {
    const bool paused = raceIsPaused();
    if (!paused) {
        const std::optional<int> begun = advanceCountdown();
        if (begun) {
            playCountdownSound(*begun == 0);
        }
    }
    const KeyboardInput keys = readKeyboard();
    if (!countdownHolds()) {
        playRaceSounds(stepRecordedRace(keys));
    } else if (!paused) {
        updateEngineSound(keys.up && !keys.down ? 1.0f : 0.0f);
    }
}
}  // namespace

void runRaceTick() {
    if (watchingReplay()) {
        for (int n = watchFastForward() ? FAST_FORWARD_TICKS : 1; n > 0; --n) {
            playRaceSounds(stepWatchedRace());
        }
    } else {
        runCountedRaceTick();
    }
    pollJoystick(gJoystickState);
}

void drawGameFrame(double blend) {
    const std::optional<CraftPose> ghost = watchingReplay() ? std::nullopt : ghostPoseNow(blend);
    {
        // The place shown is the staged moment's too.
        const PoseOnStage staged(gRacePoses.at(blend));
        beginRacePicture();
        drawRacePicture(ghost ? &*ghost : nullptr);
        endRacePicture();
        drawPositionIndicator();  // over the race at the screen's own resolution
    }
    if (!watchingReplay()) {
        offerFinishedRace();  // a replay's finish is no new race
        scoreFinishedSeasonRace();
    }
    drawHud();
    drawSpeed(gPlayer.speed);
    drawTrackMap(ghost ? &ghost->position : nullptr);
    drawRaceNotices();
    if (watchingReplay()) {
        drawReplayBanner(watchFastForward(), raceIsPaused());
    }
    if (gShowFrameRate) {
        drawFrameRate(gFramesPerSecond, gTicksPerSecond, watchingReplay());
    }
    updateMusicStream();
    static bool firstFrame = true;
    if (firstFrame) {
        traceStartup("first frame drawn");
        firstFrame = false;
    }
    swapGameBuffers();
}

void setFrameRates(double framesPerSecond, double ticksPerSecond) {
    gFramesPerSecond = framesPerSecond;
    gTicksPerSecond = ticksPerSecond;
}

void renderFrame() {
    runRaceTick();
    drawGameFrame(1.0);
}
