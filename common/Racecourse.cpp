#include "common/Racecourse.h"

Racecourse RacecourseNamed(QStringView name) {
    for (const Racecourse& course : Racecourses) {
        if (name == QStringView(course.name)) return course;
    }
    return {};
}

int CourseCodeOf(QStringView name) {
    return RacecourseNamed(name).code;
}

QString RacecourseName(int code) {
    for (const Racecourse& course : Racecourses) {
        if (course.code == code) return QString::fromUtf16(course.name);
    }
    return {};
}
