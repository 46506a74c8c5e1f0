# shellcheck shell=bash
# Sourced by the benchmarks: many hard links of a few clips, made by one process (one `ln`
# per file costs a process start each, minutes for a few thousand on a busy machine).
# make_links DIR COUNT WIDTH CLIP...   DIR/<i, WIDTH digits>_<clip name>, the clips in turn
make_links() {
  local dir=$1 count=$2 width=$3
  shift 3
  mkdir -p "$dir"
  perl -e '
    my ($dir, $count, $width, @clips) = @ARGV;
    for my $i (0 .. $count - 1) {
      my $src = $clips[$i % @clips];
      (my $base = $src) =~ s{.*/}{};
      my $dst = sprintf("%s/%0*d_%s", $dir, $width, $i, $base);
      link($src, $dst) or die "link $src -> $dst: $!\n";
    }' "$dir" "$count" "$width" "$@"
}
