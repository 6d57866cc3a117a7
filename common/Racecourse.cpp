#include "common/Racecourse.h"

int CourseCodeOf(QStringView name) {
    for (const Racecourse& course : Racecourses) {
        if (name == QStringView(course.name)) return course.code;
    }
    return -1;
}

QString RacecourseName(int code) {
    for (const Racecourse& course : Racecourses) {
        if (course.code == code) return QString::fromUtf16(course.name);
    }
    return {};
}
