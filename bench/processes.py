"""What the benchmark scripts share about the processes they start."""

import subprocess


def end(process, grace_s=5):
    """Ends a process the benchmark started: asked first, then killed."""
    if process.poll() is None:
        process.terminate()
        try:
            process.wait(grace_s)
        except subprocess.TimeoutExpired:
            process.kill()
            process.wait()
