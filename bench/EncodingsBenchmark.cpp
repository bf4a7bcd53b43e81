// Throughput of the project encodings on a project-sized document: JSON parse
// and serialize beside RapidJSON's DOM, LZ77 compress and decompress beside
// LZ4, base64 encode and decode. Every figure is in bytes of the text or of
// the uncompressed data per second. Beside them, a large project saved in the
// binary form and loaded again, which is mostly compressing and decompressing
// its shaders.
//
// The document imitates a saved project: shader sources (repetitive text with
// escaped line breaks), embedded images and music as base64 text, and a
// timeline of small event objects.
#include "project/Base64.h"
#include "project/Demo.h"
#include "project/DemoCopy.h"
#include "project/JsonParser.h"
#include "project/JsonValue.h"
#include "project/Lz77Codec.h"
#include "project/ProjectFiles.h"
#include "project/ShaderProgram.h"

#include <benchmark/benchmark.h>
#include <lz4.h>
#include <rapidjson/document.h>
#include <rapidjson/prettywriter.h>
#include <rapidjson/stringbuffer.h>

#include <random>
#include <string>
#include <vector>

namespace {

std::string shaderSource(std::mt19937& random, int index, size_t size = 4000) {
    static const char* const lines[] = {
        "uniform float time;\n",
        "uniform vec2 resolution;\n",
        "uniform sampler2D image;\n",
        "in vec2 uv;\nout vec4 colour;\n",
        "vec3 palette(float t) { return 0.5 + 0.5 * cos(6.28318 * (t + vec3(0.0, 0.33, 0.67))); }\n",
        "    vec2 p = (gl_FragCoord.xy - 0.5 * resolution) / resolution.y;\n",
        "    float d = length(p) - 0.25 * sin(time * 0.5);\n",
        "    colour = vec4(palette(d + time * 0.1), 1.0);\n",
        "    colour.rgb += texture(image, uv + vec2(0.01, 0.0) * d).rgb * 0.2;\n",
        "    // glow around the rim\n",
    };
    std::string source = "#version 150\n// effect " + std::to_string(index) + "\n";
    while (source.size() < size) {
        source += lines[random() % std::size(lines)];
        if (random() % 4 == 0)
            source +=
                "    float v" + std::to_string(random() % 100) + " = " + std::to_string(random() % 1000) + ".0;\n";
    }
    return source + "void main() {\n}\n";
}

std::vector<uint8_t> binaryFile(std::mt19937& random, size_t size) {
    std::vector<uint8_t> bytes(size);
    for (uint8_t& byte : bytes)
        byte = static_cast<uint8_t>(random() >> 24);
    return bytes;
}

struct Corpus {
    std::string document;     // a project's JSON text, about 4 MB
    std::string shaders;      // the shader sources one after another, about 1 MB
    std::vector<uint8_t> pcm; // binary data of an embedded file, 1 MB
    std::string pcmBase64;
};

const Corpus& corpus() {
    static const Corpus built = [] {
        Corpus corpus;
        std::mt19937 random(2024);
        JsonValue project = JsonValue::makeObject({{"bpm", 130.0}, {"beat_offset", 0.5}, {"end_beat", 480.0}});
        JsonValue& shaders = project.member("shaders");
        for (int i = 0; i < 250; ++i) {
            const std::string source = shaderSource(random, i);
            corpus.shaders += source;
            shaders.append(
                JsonValue::makeObject({{"fragment_shader_filename", "resources/effect" + std::to_string(i) + ".glsl"},
                                       {"fragment_shader", source}}));
        }
        JsonValue& textures = project.member("textures");
        for (int i = 0; i < 8; ++i)
            textures.append(JsonValue::makeObject(
                {{"name", "image" + std::to_string(i)}, {"data", base64Encode(binaryFile(random, 100000))}}));
        corpus.pcm = binaryFile(random, 1 << 20);
        corpus.pcmBase64 = base64Encode(corpus.pcm);
        project.member("music") = corpus.pcmBase64;
        JsonValue& events = project.member("events");
        for (int i = 0; i < 2000; ++i)
            events.append(JsonValue::makeObject({{"name", "event" + std::to_string(i)},
                                                 {"start_beat", static_cast<double>(i)},
                                                 {"end_beat", static_cast<double>(i + 16)},
                                                 {"layer", static_cast<int32_t>(i % 8)},
                                                 {"visible", true}}));
        corpus.document = project.serialize(1, "  ");
        return corpus;
    }();
    return built;
}

void setBytes(benchmark::State& state, size_t bytes) {
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(bytes));
}

void jsonParse(benchmark::State& state) {
    const std::string& text = corpus().document;
    for (auto _ : state)
        benchmark::DoNotOptimize(parseJson(text));
    setBytes(state, text.size());
}
BENCHMARK(jsonParse);

void rapidJsonParse(benchmark::State& state) {
    const std::string& text = corpus().document;
    for (auto _ : state) {
        rapidjson::Document document;
        document.Parse(text.data(), text.size());
        benchmark::DoNotOptimize(document.HasParseError());
    }
    setBytes(state, text.size());
}
BENCHMARK(rapidJsonParse);

void jsonSerialize(benchmark::State& state) {
    const std::string& text = corpus().document;
    const JsonValue value = parseJson(text);
    for (auto _ : state)
        benchmark::DoNotOptimize(value.serialize(1, "  "));
    setBytes(state, text.size());
}
BENCHMARK(jsonSerialize);

void rapidJsonSerialize(benchmark::State& state) {
    const std::string& text = corpus().document;
    rapidjson::Document document;
    document.Parse(text.data(), text.size());
    for (auto _ : state) {
        rapidjson::StringBuffer buffer;
        rapidjson::PrettyWriter<rapidjson::StringBuffer> writer(buffer);
        document.Accept(writer);
        benchmark::DoNotOptimize(buffer.GetString());
    }
    setBytes(state, text.size());
}
BENCHMARK(rapidJsonSerialize);

// Compression runs on the shader sources (repetitive text) and on the JSON
// document (text mixed with incompressible base64).
const std::string& compressionInput(const benchmark::State& state) {
    return state.range(0) == 0 ? corpus().shaders : corpus().document;
}

void lz77CompressText(benchmark::State& state) {
    const std::string& input = compressionInput(state);
    size_t compressedSize = 0;
    for (auto _ : state)
        compressedSize = lz77Compress(input).size();
    state.counters["ratio"] = static_cast<double>(input.size()) / static_cast<double>(compressedSize);
    setBytes(state, input.size());
}
BENCHMARK(lz77CompressText)->Arg(0)->Arg(1);

void lz77DecompressText(benchmark::State& state) {
    const std::string& input = compressionInput(state);
    const std::vector<uint8_t> stream = lz77Compress(input);
    for (auto _ : state)
        benchmark::DoNotOptimize(lz77Decompress(stream));
    setBytes(state, input.size());
}
BENCHMARK(lz77DecompressText)->Arg(0)->Arg(1);

void lz4CompressText(benchmark::State& state) {
    const std::string& input = compressionInput(state);
    std::vector<char> stream(static_cast<size_t>(LZ4_compressBound(static_cast<int>(input.size()))));
    int compressedSize = 0;
    for (auto _ : state)
        compressedSize = LZ4_compress_default(input.data(), stream.data(), static_cast<int>(input.size()),
                                              static_cast<int>(stream.size()));
    state.counters["ratio"] = static_cast<double>(input.size()) / compressedSize;
    setBytes(state, input.size());
}
BENCHMARK(lz4CompressText)->Arg(0)->Arg(1);

void lz4DecompressText(benchmark::State& state) {
    const std::string& input = compressionInput(state);
    std::vector<char> stream(static_cast<size_t>(LZ4_compressBound(static_cast<int>(input.size()))));
    const int compressedSize = LZ4_compress_default(input.data(), stream.data(), static_cast<int>(input.size()),
                                                    static_cast<int>(stream.size()));
    for (auto _ : state) {
        // Allocated per run like the string lz77Decompress returns.
        std::string output(input.size(), '\0');
        LZ4_decompress_safe(stream.data(), output.data(), compressedSize, static_cast<int>(output.size()));
        benchmark::DoNotOptimize(output);
    }
    setBytes(state, input.size());
}
BENCHMARK(lz4DecompressText)->Arg(0)->Arg(1);

void base64EncodeBinary(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(base64Encode(corpus().pcm));
    setBytes(state, corpus().pcm.size());
}
BENCHMARK(base64EncodeBinary);

void base64DecodeText(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(base64Decode(corpus().pcmBase64));
    setBytes(state, corpus().pcmBase64.size());
}
BENCHMARK(base64DecodeText);

// A project of three 7.8 MB shaders, as large as authors' generated ones get.
const Demo& largeProject() {
    static const Demo demo = [] {
        Demo built;
        std::mt19937 random(7);
        for (int i = 0; i < 3; ++i)
            built.shaders.push_back(std::make_unique<ShaderProgram>(shaderSource(random, i, 7800000)));
        return built;
    }();
    return demo;
}

size_t shaderBytes(const Demo& demo) {
    size_t bytes = 0;
    for (const auto& shader : demo.shaders)
        bytes += shader->fragmentShaderSource.size();
    return bytes;
}

void binaryProjectSave(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(writeBinaryProject(largeProject()));
    setBytes(state, shaderBytes(largeProject()));
}
BENCHMARK(binaryProjectSave)->Unit(benchmark::kMillisecond);

// What the autosave does on the main thread before its worker encodes the copy.
void projectCopy(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(copyDemo(largeProject()));
    setBytes(state, shaderBytes(largeProject()));
}
BENCHMARK(projectCopy)->Unit(benchmark::kMillisecond);

void binaryProjectLoad(benchmark::State& state) {
    const std::vector<uint8_t> file = writeBinaryProject(largeProject());
    for (auto _ : state)
        benchmark::DoNotOptimize(readBinaryProject(file));
    setBytes(state, shaderBytes(largeProject()));
}
BENCHMARK(binaryProjectLoad)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
