#include "simulator.h"

#include "disk_model.h"
#include "frame_stream.h"
#include "layout.h"
#include "recorder.h"
#include "sparse_file.h"

#include <map>
#include <memory>
#include <new>

namespace korvane::sim {

namespace {

class ImageWriter
{
public:
    ImageWriter(const Scenario &s, const Simulation &sim, DiskModel &model, SparseFile &file)
        : s_(s), sim_(sim), model_(model), file_(file)
    {
    }

    bool writeMetadata(const std::vector<PartitionResult> &parts)
    {
        if (s_.mbrStart && !put(0, model_.masterBootRecord()))
            return false;
        const uint32_t k0 = s_.keyParamOffset[0];
        if (!putBlock(0, model_.volumeHeader()) || !putBlock(k0 + kPartitionTableBlock, model_.partitionTable()) ||
            !putBlock(k0 + kBackupTableBlock, model_.partitionTable()))
            return false;
        for (size_t p = 0; p < parts.size(); ++p)
            if (!writePartition(p, parts[p]))
                return false;
        return true;
    }

    // The clusters of these fragments also go into their byte copies.
    void collectFragments(std::vector<FragmentResult> &fragments)
    {
        for (FragmentResult &g : fragments)
            for (uint32_t c : g.clusters)
                fragmentOf_[{size_t(g.partition), c}] = &g;
    }

    bool writeData(const std::vector<PartitionResult> &parts)
    {
        for (size_t p = 0; p < parts.size(); ++p)
            for (uint32_t c = 0; c < parts[p].totalClus; ++c)
                if (sim_.parts[p].owner[c] >= 0 && !writeCluster(p, c))
                    return false;
        return file_.flush();
    }

private:
    bool put(uint64_t byteOffset, const Bytes &b) { return file_.write(byteOffset, b.data(), b.size()); }

    bool putBlock(uint64_t volumeBlock, const Bytes &b) { return put(model_.volumeBlockOffset(volumeBlock), b); }

    bool writePartition(size_t p, const PartitionResult &r)
    {
        const uint64_t base = r.startSector;
        const uint32_t k = s_.keyParamOffset[p];
        if (!putBlock(base + k + kKeyParamBlock, model_.keyParamBlock(p)) ||
            !putBlock(base + r.tempOff, model_.pdpBlock(p)) ||
            !putBlock(base + r.collisionOff, model_.collisionBlock(p)))
            return false;
        const Bytes directory = model_.directoryArea(p);
        if (!putBlock(base + r.dirOffset, directory) || !putBlock(base + r.backdirOffset, directory) ||
            !putBlock(base + r.indexOffset, model_.indexArea(p, directory)))
            return false;
        if (r.extDirOffset && !putBlock(base + r.extDirOffset, model_.extDirectoryArea(p)))
            return false;
        return !r.udOffset || putBlock(base + r.udOffset, sim_.parts[p].userData);
    }

    FrameStream &streamOf(size_t fileIndex)
    {
        auto it = streams_.find(fileIndex);
        if (it != streams_.end())
            return *it->second;
        const SimFile &f = sim_.files[fileIndex];
        const uint64_t id = uint64_t(f.rec) << 16 | uint64_t(f.segment);
        auto clock = [this](Seconds t) { return model_.recorderTime(t); };
        auto stream = std::make_unique<FrameStream>(s_.recordings[f.rec], sim_.frames[f.rec], s_.seed, id,
                                                    f.firstSecond, f.headBytes, clock);
        return *streams_.emplace(fileIndex, std::move(stream)).first->second;
    }

    bool writeCluster(size_t p, uint32_t c)
    {
        const size_t fileIndex = size_t(sim_.parts[p].owner[c]);
        const SimFile &f = sim_.files[fileIndex];
        const size_t k = sim_.parts[p].ordinal[c];
        const uint64_t from = k * uint64_t(s_.sectorsPerCluster) * kBlockSize;
        const size_t length = size_t(std::min<uint64_t>(f.bytes - from, uint64_t(s_.sectorsPerCluster) * kBlockSize));
        buffer_.assign(size_t(model_.usedSectors(f, k)) * kBlockSize, 0);
        streamOf(fileIndex).read(from, buffer_.data(), length);
        if (k + 1 == f.clusters.size())
            streams_.erase(fileIndex);
        keepFragmentBytes(p, c);
        return file_.write(model_.clusterOffset(p, c), buffer_.data(), buffer_.size());
    }

    // Clusters are written in ascending order, which is the chain order of every fragment.
    void keepFragmentBytes(size_t p, uint32_t c)
    {
        auto it = fragmentOf_.find({p, c});
        if (it == fragmentOf_.end())
            return;
        FragmentResult &g = *it->second;
        const size_t sectors = c == g.clusters.back() ? g.lastSectors : s_.sectorsPerCluster;
        const size_t n = std::min(buffer_.size(), sectors * kBlockSize);
        g.bytes.insert(g.bytes.end(), buffer_.begin(), buffer_.begin() + long(n));
        if (c == g.clusters.back()) // a reader skips the header of a recording's first cluster
            g.bytes.erase(g.bytes.begin(), g.bytes.begin() + long(std::min<size_t>(g.bytes.size(), size_t(g.headSectors) * kBlockSize)));
    }

    const Scenario &s_;
    const Simulation &sim_;
    DiskModel &model_;
    SparseFile &file_;
    std::map<size_t, std::unique_ptr<FrameStream>> streams_;
    std::map<std::pair<size_t, uint32_t>, FragmentResult *> fragmentOf_;
    Bytes buffer_;
};

bool applyPatches(const Scenario &s, SparseFile &file, std::string &error)
{
    for (const Patch &patch : s.patches) {
        const uint64_t block = patch.imageRelative ? patch.block : patch.block + s.mbrStart;
        if (!file.overwrite(block * kBlockSize + patch.offset, patch.bytes.data(), patch.bytes.size())) {
            error = file.error();
            return false;
        }
    }
    if (s.truncateBlocks && !file.truncate(*s.truncateBlocks * kBlockSize)) {
        error = file.error();
        return false;
    }
    return true;
}

Result plan(const Scenario &s, std::vector<PartitionResult> &parts, Simulation &sim)
{
    std::string error;
    if (s.version != "WFS0.4" && s.version != "WFS0.3")
        return Result::failure("version must be WFS0.4 or WFS0.3");
    if (!planLayout(s, parts, error) || !simulate(s, parts, sim, error))
        return Result::failure(error);
    return {};
}

Result write(const Scenario &s, const std::string &path, const WriteOptions &options, Manifest *manifest)
{
    std::vector<PartitionResult> parts;
    Simulation sim;
    Result planned = plan(s, parts, sim);
    if (!planned)
        return planned;
    DiskModel model(s, parts, sim);
    model.finishPartitions();
    Manifest written;
    model.fillManifest(written);
    SparseFile file;
    std::string error;
    if (!file.create(path, model.imageSectors() * kBlockSize, error))
        return Result::failure(error);
    ImageWriter writer(s, sim, model, file);
    if (options.fragmentBytes)
        writer.collectFragments(written.fragments);
    if (!writer.writeMetadata(parts) || (!options.metadataOnly && !writer.writeData(parts)))
        return Result::failure(file.error());
    if (!applyPatches(s, file, error) || !file.close(error))
        return Result::failure(error);
    if (manifest)
        *manifest = std::move(written);
    return {};
}

} // namespace

Result writeDisk(const Scenario &scenario, const std::string &imagePath, const WriteOptions &options,
                 Manifest *manifest)
{
    try {
        return write(scenario, imagePath, options, manifest);
    } catch (const std::bad_alloc &) {
        return Result::failure("out of memory");
    } catch (const std::exception &e) {
        return Result::failure(e.what());
    }
}

Result planDisk(const Scenario &scenario, Manifest &manifest)
{
    try {
        std::vector<PartitionResult> parts;
        Simulation sim;
        Result planned = plan(scenario, parts, sim);
        if (!planned)
            return planned;
        DiskModel model(scenario, parts, sim);
        model.finishPartitions();
        model.fillManifest(manifest);
        return {};
    } catch (const std::exception &e) {
        return Result::failure(e.what());
    }
}

} // namespace korvane::sim
