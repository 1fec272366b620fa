// kestrane-ai teach: labels positions of the networks' own games with GNU Backgammon's judgement of
// every play the roll allows. The
// teacher runs as separate gnubg processes, fed through files: nothing of it is linked, and the
// game, its build and its tests never need it.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/Portable.h"
#include "tools/Commands.h"
#include "tools/Labels.h"

static const char* const kTeachUsage =
    "usage: kestrane-ai teach --net DIR --out FILE --games N --seed S [--random-share R]\n"
    "         [--pubeval-share H] [--pubeval FILE] [--jobs J] [--chunk D] [--plies P]\n"
    "         [--gnubg PROGRAM] [--script FILE]\n";

static const char* const kInstallHint =
    "GNU Backgammon (gnubg) labels the training data and is needed for this command only;\n"
    "install it with `sudo apt-get install gnubg` or name the program with --gnubg PROGRAM\n";

// Debian puts gnubg in /usr/games, which is not on every user's PATH.
static std::string FindGnubg() {
    std::string dirs = std::getenv("PATH") ? std::getenv("PATH") : "";
    dirs += ":/usr/games";
    std::stringstream list(dirs);
    std::string dir;
    while (std::getline(list, dir, ':')) {
        if (!dir.empty() && portable::IsProgramFile(dir + "/gnubg")) {
            return dir + "/gnubg";
        }
    }
    return "";
}

static std::string BesideProgram(const std::string& name) {
    const std::string path = portable::ProgramPath();
    return path.substr(0, path.rfind('/') + 1) + name;
}

struct TeachOptions {
    std::string net;
    std::string out;
    int games = 0;
    uint32_t seed = 1;
    double randomShare = 0.05;
    double pubevalShare = 0.0;
    std::string pubeval;
    int jobs = 8;
    int chunk = 3000;
    int plies = 0;
    std::string gnubg;
    std::string script;
};

// One gnubg process labelling the positions of one file.
struct TeacherJob {
    std::string in;
    std::string out;
    std::string log;
    size_t first = 0;
    size_t count = 0;
    long pid = -1;
};

static long StartTeacher(const TeachOptions& o, const TeacherJob& job) {
    return portable::StartProgram(o.gnubg, {"-t", "-q", "-r", "-p", o.script},
                                  {{"KESTRANE_TEACHER_IN", job.in},
                                   {"KESTRANE_TEACHER_OUT", job.out},
                                   {"KESTRANE_TEACHER_PLIES", std::to_string(o.plies)}},
                                  job.log);
}

static bool WriteQuestions(const std::vector<LabelledDecision>& decisions, const TeacherJob& job) {
    std::ofstream out(job.in);
    BoardState board;
    int teacher[50];
    for (size_t i = job.first; i < job.first + job.count; ++i) {
        const LabelledDecision& d = decisions[i];
        UnpackPoints(d.before, board.points);
        TeacherBoard(board.points, teacher);
        out << d.die1 << " " << d.die2;
        for (int v : teacher) {
            out << " " << v;
        }
        out << "\n";
    }
    return static_cast<bool>(out);
}

// Reads a job's answers into the labels: every candidate's winning chance and the best of them.
// Counts the answers that the teacher could not give or that name a position none of the
// candidates reaches (those decisions keep the label -1 and are left out), and the candidates the
// teacher does not list.
static bool ReadAnswers(std::vector<LabelledDecision>& decisions, const TeacherJob& job,
                        long& unmatched, long& unlisted, std::string& error) {
    std::ifstream in(job.out);
    RollPlays plays;
    BoardState board;
    std::string line;
    for (size_t i = job.first; i < job.first + job.count; ++i) {
        if (!std::getline(in, line)) {
            error = "the teacher gave too few answers in " + job.out + " (see " + job.log + ")";
            return false;
        }
        LabelledDecision& d = decisions[i];
        UnpackPoints(d.before, board.points);
        plays.Find(board.points, d.die1, d.die2);
        if (!TakeTeacherChances(line, plays, d, unlisted)) {
            d.label = -1;
            ++unmatched;
        }
    }
    return true;
}

static int Teach(const TeachOptions& o) {
    NeuralNet contact(GameLayers, 3);
    NeuralNet race(GameLayers, 3);
    std::string error;
    if (!contact.ReadWeightFile(o.net + "/" + ContactWeightFile, error) ||
        !race.ReadWeightFile(o.net + "/" + RaceWeightFile, error)) {
        std::fprintf(stderr, "teach: %s\n", error.c_str());
        return 1;
    }
    auto start = std::chrono::steady_clock::now();
    auto seconds = [&] {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    };
    Pubeval pubeval;
    if (o.pubevalShare > 0.0 && !LoadPubeval(pubeval, o.pubeval, error)) {
        std::fprintf(stderr, "teach: %s\n", error.c_str());
        return 1;
    }
    // 1. The games and their decisions.
    std::vector<LabelledDecision> decisions =
        PlayForLabels(contact, race, o.games, o.seed, o.randomShare, &pubeval, o.pubevalShare);
    std::fprintf(stderr, "teach: %d games, %zu decisions to label (%.1f s)\n", o.games,
                 decisions.size(), seconds());
    // 2. The teacher's plays, `jobs` gnubg processes at a time, one file of positions each.
    std::string work = o.out + ".work";
    portable::MakeFolder(work);
    std::vector<TeacherJob> jobs;
    for (size_t first = 0; first < decisions.size(); first += o.chunk) {
        TeacherJob job;
        std::string name = work + "/" + std::to_string(jobs.size());
        job.in = name + ".in";
        job.out = name + ".out";
        job.log = name + ".log";
        job.first = first;
        job.count = std::min(decisions.size() - first, static_cast<size_t>(o.chunk));
        if (!WriteQuestions(decisions, job)) {
            std::fprintf(stderr, "teach: cannot write %s\n", job.in.c_str());
            return 1;
        }
        jobs.push_back(job);
    }
    size_t next = 0, running = 0, done = 0, labelled = 0;
    bool failed = false;
    while (done < jobs.size()) {
        while (!failed && running < static_cast<size_t>(o.jobs) && next < jobs.size()) {
            jobs[next].pid = StartTeacher(o, jobs[next]);
            failed = jobs[next].pid < 0;
            running += !failed;
            ++next;
        }
        if (running == 0) {
            break;
        }
        bool succeeded = false;
        const long pid = portable::WaitForProgram(succeeded);
        if (pid < 0) {
            failed = true;
            break;
        }
        for (TeacherJob& job : jobs) {
            if (job.pid == pid) {
                --running;
                ++done;
                labelled += job.count;
                failed = failed || !succeeded;
                std::fprintf(stderr, "teach: %zu/%zu decisions labelled, %.0f/s\n", labelled,
                             decisions.size(), labelled / seconds());
            }
        }
    }
    // 3. Each answer mapped onto the game's own candidates.
    long unmatched = 0, unlisted = 0;
    for (const TeacherJob& job : jobs) {
        if (failed || !ReadAnswers(decisions, job, unmatched, unlisted, error)) {
            std::fprintf(stderr, "teach: %s\n",
                         failed ? ("the teacher failed; its messages are in " + work).c_str()
                                : error.c_str());
            return 1;
        }
    }
    std::vector<LabelledDecision> kept;
    for (const LabelledDecision& d : decisions) {
        if (d.label >= 0) {
            kept.push_back(d);
        }
    }
    if (!WriteLabels(kept, o.out, error)) {
        std::fprintf(stderr, "teach: %s\n", error.c_str());
        return 1;
    }
    for (const TeacherJob& job : jobs) {
        for (const std::string& file : {job.in, job.out, job.log}) {
            std::remove(file.c_str());
        }
    }
    portable::RemoveFolder(work);
    std::fprintf(stderr,
                 "teach: %zu decisions written to %s, %ld left out (the teacher gave no list "
                 "or listed a play that is none of the game's), %ld candidates the teacher "
                 "does not list, %.1f s\n",
                 kept.size(), o.out.c_str(), unmatched, unlisted, seconds());
    return 0;
}

int TeachCommand(int argc, char** argv) {
    TeachOptions o;
    for (int i = 0; i < argc; ++i) {
        std::string key = argv[i];
        if (i + 1 >= argc) {
            std::fprintf(stderr, "teach: %s needs a value\n%s", key.c_str(), kTeachUsage);
            return 2;
        }
        const char* value = argv[++i];
        char* end = nullptr;
        double number = std::strtod(value, &end);
        bool numeric = end != value && *end == '\0';
        if (key == "--net") {
            o.net = value;
        } else if (key == "--out") {
            o.out = value;
        } else if (key == "--gnubg") {
            o.gnubg = value;
        } else if (key == "--script") {
            o.script = value;
        } else if (key == "--pubeval") {
            o.pubeval = value;
        } else if (key == "--pubeval-share" && numeric && number >= 0 && number <= 1) {
            o.pubevalShare = number;
        } else if (key == "--games" && numeric && number >= 1 && number <= 1e7) {
            o.games = static_cast<int>(number);
        } else if (key == "--seed" && numeric && number >= 0 && number <= 4294967295.0) {
            o.seed = static_cast<uint32_t>(number);
        } else if (key == "--random-share" && numeric && number >= 0 && number <= 1) {
            o.randomShare = number;
        } else if (key == "--jobs" && numeric && number >= 1 && number <= 64) {
            o.jobs = static_cast<int>(number);
        } else if (key == "--chunk" && numeric && number >= 1 && number <= 1e7) {
            o.chunk = static_cast<int>(number);
        } else if (key == "--plies" && numeric && number >= 0 && number <= 2) {
            o.plies = static_cast<int>(number);
        } else {
            std::fprintf(stderr, "teach: bad option %s %s\n%s", key.c_str(), value, kTeachUsage);
            return 2;
        }
    }
    if (o.net.empty() || o.out.empty() || o.games <= 0) {
        std::fprintf(stderr, "%s", kTeachUsage);
        return 2;
    }
    if (!portable::ChildProgramsAvailable()) {
        std::fprintf(stderr,
                     "teach: needs Linux: it runs GNU Backgammon as separate processes, which this "
                     "build cannot start.\nMake the label file on Linux and train from it here "
                     "with `kestrane-ai train --labels FILE`.\n");
        return 1;
    }
    if (o.gnubg.empty()) {
        o.gnubg = FindGnubg();
    }
    if (o.gnubg.empty() || !portable::IsProgramFile(o.gnubg)) {
        std::fprintf(stderr, "teach: no gnubg program%s%s.\n%s", o.gnubg.empty() ? "" : " at ",
                     o.gnubg.c_str(), kInstallHint);
        return 1;
    }
    if (o.script.empty()) {
        o.script = BesideProgram("teacher.py");
    }
    if (!portable::IsReadableFile(o.script)) {
        std::fprintf(stderr, "teach: cannot read the teacher script %s (--script FILE)\n",
                     o.script.c_str());
        return 1;
    }
    return Teach(o);
}
