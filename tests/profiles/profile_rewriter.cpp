// Test helper: rewrites one document until its "Generation" reaches a count,
// going on from the generation it finds. The kill test stops it at random points.
#include "profiles/json_file.h"

#include <QString>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    if (argc != 3)
        return 2;
    const QString path = QString::fromLocal8Bit(argv[1]);
    const int last = std::atoi(argv[2]);
    int generation = ParseJsonFile(path)["Generation"].asInt();
    // Tells the test that start-up is over and writing begins.
    std::fputs("ready\n", stdout);
    std::fflush(stdout);
    while (generation < last) {
        ++generation;
        Json::Value document(Json::objectValue);
        document["Generation"] = generation;
        // Documents of very different sizes, so a torn write could not pass for a whole one.
        const int keys = generation % 2 ? 300 : 3;
        for (int i = 0; i < keys; ++i)
            document["Device"][0]["KeyList"][i]["Assignment"] = generation * 7 + i;
        if (!WriteJsonFile(path, document))
            return 1;
    }
    return 0;
}
